// The process entry: command line, help switch, global stores, COM, the application, teardown.
#include "foundation/ProcessEntry.h"

#include "foundation/CommandLine.h"
#include "foundation/GlobalStores.h"

#include <objbase.h>
#include <shellapi.h>

namespace {

struct StartState {
    HINSTANCE instance = nullptr;
    HINSTANCE previous = nullptr;
    THeapString commandLine;
    int showCommand = SW_SHOWNORMAL;
    THeapString applicationName;
};

StartState& State()
{
    static StartState state;
    return state;
}

const int maxReleaseRoutines = 16;
void (*releaseRoutines[maxReleaseRoutines])();
int releaseRoutineCount = 0;

bool FileExistsAt(const char* path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

// "/?" or else "/help" opens the help file beside the program and ends the process.
void AnswerHelpSwitch()
{
    if (FindSwitch("/?") < 0 && FindSwitch("/help") < 0) return;
    THeapString helpFile = HelpFilePath();
    if (!FileExistsAt(helpFile)) return;
    ShellExecuteA(nullptr, "open", helpFile, nullptr, nullptr, SW_SHOWNORMAL);
    ExitProcess(static_cast<UINT>(-1));
}

void ReleaseLibraryCaches()
{
    while (releaseRoutineCount > 0) releaseRoutines[--releaseRoutineCount]();
}

} // namespace

HINSTANCE ProgramInstance() { return State().instance; }
HINSTANCE PreviousInstance() { return State().previous; }
const char* StartCommandLine() { return State().commandLine; }
int StartShowCommand() { return State().showCommand; }
THeapString ApplicationName() { return State().applicationName; }

void AtProcessTeardown(void (*release)())
{
    if (releaseRoutineCount < maxReleaseRoutines) releaseRoutines[releaseRoutineCount++] = release;
}

int RunProcess(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    ProcessCommandLine().Parse(GetCommandLineA());
    AnswerHelpSwitch();

    CreateGlobalStores(ApplicationKeyPath());
    StartState& state = State();
    state.instance = instance;
    state.previous = previous;
    state.commandLine = commandLine;
    state.showCommand = showCommand;
    state.applicationName = ApplicationDisplayName();

    HRESULT com = CoInitialize(nullptr);
    int result = ApplicationMain(instance, previous, commandLine, showCommand);

    ReleaseLibraryCaches();
    DestroyGlobalStores();
    if (SUCCEEDED(com)) CoUninitialize();
    ProcessCommandLine().Clear();
    return result;
}
