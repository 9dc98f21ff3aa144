// The running copy: finding its main window and handing it the Settings command.
#include "app/RunningCopy.h"

#include "app/Commands.h"
#include "app/ProgramInfo.h"

namespace {

TForegroundGrant foregroundGrant = AllowSetForegroundWindow;

} // namespace

// The window found may be one of the running copy's boxes, which share its title: the
// command goes to the window that owns them all.
bool HandToRunningCopy()
{
    HWND running = FindWindowA("ShapeClass", ProductName);
    if (!running) return false;
    HandSettingsTo(GetAncestor(running, GA_ROOTOWNER));
    return true;
}

void HandSettingsTo(HWND running)
{
    DWORD processId = 0;
    if (GetWindowThreadProcessId(running, &processId)) foregroundGrant(processId);
    PostMessageA(running, WM_COMMAND, MAKEWPARAM(CommandSettings, 1), 0);
}

TForegroundGrant ReplaceForegroundGrant(TForegroundGrant grant)
{
    TForegroundGrant previous = foregroundGrant;
    foregroundGrant = grant ? grant : AllowSetForegroundWindow;
    return previous;
}
