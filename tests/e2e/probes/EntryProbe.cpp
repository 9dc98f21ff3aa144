// A program on the library's process entry that records what the entry parsed and kept, and
// the Windows version it is told, in its own application key, so a test can start it with a
// real command line.
#include "foundation/CommandLine.h"
#include "foundation/GlobalStores.h"
#include "foundation/HeapStringList.h"
#include "foundation/ProcessEntry.h"
#include "foundation/RegistrySection.h"

namespace {

int teardownRuns = 0;

void CountTeardown() { ++teardownRuns; }

// Registered first, so it runs last: how many routines ran before it, and itself.
void RecordTeardown()
{
    TRegistrySection section(ApplicationStore(), "");
    section.Store().WriteDword("TeardownRuns", static_cast<DWORD>(teardownRuns + 1));
}

// The version the system reports, as major * 100 + minor. GetVersionExA would tell a program
// without a compatibility manifest 6.2 on any later system.
DWORD SystemVersion()
{
    using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    FARPROC found = GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion");
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!found || reinterpret_cast<TRtlGetVersion>(reinterpret_cast<void*>(found))(&version) != 0) return 0;
    return version.dwMajorVersion * 100 + version.dwMinorVersion;
}

} // namespace

THeapString ApplicationKeyPath() { return THeapString("Software\\Orvik\\KelvaneTest\\EntryProbe"); }

THeapString ApplicationDisplayName() { return THeapString("EntryProbe"); }

int ApplicationMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    THeapStringList arguments;
    for (int i = 0; i < ArgumentCount(); ++i) arguments.Append(Argument(i));
    THeapStringList switches;
    for (int i = 0; i < ProcessCommandLine().SwitchCount(); ++i) switches.Append(ProcessCommandLine().Switch(i));

    TRegistrySection section(ApplicationStore(), "");
    TRegistryStore& store = section.Store();
    store.WriteString("ProgramPath", ProgramPath());
    store.WriteString("HelpFilePath", HelpFilePath());
    store.WriteString("ApplicationName", ApplicationName());
    store.WriteMultiString("Arguments", arguments);
    store.WriteMultiString("Switches", switches);
    int restore = FindSwitch("/restore");
    store.WriteDword("RestoreIndex", static_cast<DWORD>(restore));
    store.WriteString("RestoreValue", restore >= 0 ? SwitchValue(restore) : THeapString("-"));
    store.WriteDword("InstanceKept", instance == ProgramInstance() ? 1 : 0);
    store.WriteDword("WindowsVersion", SystemVersion());
    AtProcessTeardown(&RecordTeardown);
    for (int i = 0; i < 19; ++i) AtProcessTeardown(&CountTeardown);
    return 7;
}
