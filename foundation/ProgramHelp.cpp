// The program's help: WinHelp up to Windows XP, the help page in the browser from Vista on.
#include "foundation/ProgramHelp.h"

#include <objbase.h>
#include <shellapi.h>

#include "foundation/FileSystem.h"
#include "foundation/PathOperations.h"
#include "foundation/StringOperations.h"
#include "foundation/SystemChecks.h"

namespace {

const DWORD firstVersionWithoutWinHelp = 6; // Windows Vista

// The one place that decides: Vista and later ship without WinHelp, where a .HLP ends in the
// system's "this feature is not included".
bool HelpOpensInWinHelp() { return (SystemVersion() >> 24) < firstVersionWithoutWinHelp; }

// The help switch runs before the process entry initialises COM, and the shell may hand the
// document to a handler that needs it.
bool OpenWithShell(HWND window, const char* path)
{
    const HRESULT com = CoInitialize(nullptr);
    const HINSTANCE result = ShellExecuteA(window, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com)) CoUninitialize();
    return reinterpret_cast<INT_PTR>(result) > 32;
}

// The page beside a help file: the same path with ".html" for its extension.
THeapString HelpPagePath(const char* helpFile)
{
    const int extension = ExtensionOf(helpFile).Length();
    const int stem = lstrlenA(helpFile) - (extension > 0 ? extension + 1 : 0);
    return Concat(THeapString(helpFile, stem), ".html");
}

} // namespace

BOOL WINAPI OpenHelp(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data)
{
    if (HelpOpensInWinHelp()) return WinHelpA(window, helpFile, command, data);
    if (command == HELP_QUIT) return TRUE;
    return OpenWithShell(window, HelpPagePath(helpFile)) ? TRUE : FALSE;
}

bool OpenHelpDocument(const char* helpFile)
{
    const THeapString document = HelpOpensInWinHelp() ? THeapString(helpFile) : HelpPagePath(helpFile);
    if (!FileExists(document)) return false;
    OpenWithShell(nullptr, document);
    return true;
}
