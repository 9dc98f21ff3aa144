// The Windows version a newly started program finds, read from the entry probe's record.
#include "ReportedWindowsVersion.h"

#include <shlwapi.h>

#include "ShellOpenRecorder.h"
#include "support/ChildProcess.h"

DWORD MajorVersionOfANewProgram()
{
    if (RunProcess("\"" + ProgramBesideTests("EntryProbe.exe") + "\"") != 7) return 0;
    TRawValue version;
    const bool found = GetRawValue(EntryProbeKey, "WindowsVersion", version) && version.bytes.size() == sizeof(DWORD);
    SHDeleteKeyA(HKEY_CURRENT_USER, EntryProbeKey);
    return found ? *reinterpret_cast<const DWORD*>(version.bytes.data()) / 100 : 0;
}
