// The process entry: command line, help switch, global stores, COM, the application, teardown.
#include "foundation/ProcessEntry.h"

#include "foundation/CommandLine.h"
#include "foundation/GlobalStores.h"
#include "foundation/ProgramHelp.h"
#include "foundation/WideCommandLine.h"

#include <objbase.h>

#include <vector>

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

// Every routine registered runs at teardown, however many caches a program has.
std::vector<void (*)()>& ReleaseRoutines()
{
    static std::vector<void (*)()> routines;
    return routines;
}

// "/?" or else "/help" opens the help beside the program and ends the process; without it
// the program starts as usual.
void AnswerHelpSwitch()
{
    if (FindSwitch("/?") < 0 && FindSwitch("/help") < 0) return;
    if (OpenHelpDocument(HelpFilePath())) ExitProcess(static_cast<UINT>(-1));
}

void ReleaseLibraryCaches()
{
    std::vector<void (*)()>& routines = ReleaseRoutines();
    while (!routines.empty()) {
        void (*release)() = routines.back();
        routines.pop_back();
        release();
    }
}

} // namespace

HINSTANCE ProgramInstance() { return State().instance; }
HINSTANCE PreviousInstance() { return State().previous; }
const char* StartCommandLine() { return State().commandLine; }
int StartShowCommand() { return State().showCommand; }
THeapString ApplicationName() { return State().applicationName; }

void AtProcessTeardown(void (*release)())
{
    if (release) ReleaseRoutines().push_back(release);
}

int RunProcess(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    ParseProcessCommandLine();
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
