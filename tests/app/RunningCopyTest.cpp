// Handing the Settings command to the running copy, with the foreground passed on first.
#include <gtest/gtest.h>

#include "app/RunningCopy.h"
#include "support/OwnerWindow.h"
#include "support/Seam.h"
#include "support/Wait.h"

namespace {

HWND runningCopy = nullptr;
DWORD grantedTo = 0;
bool commandWaitedAtGrant = false;

BOOL WINAPI RecordGrant(DWORD processId)
{
    grantedTo = processId;
    MSG queued;
    commandWaitedAtGrant = PeekMessageA(&queued, runningCopy, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) != FALSE;
    return TRUE;
}

} // namespace

// The copy the user started may pass the foreground on; the running one, which gets the
// command, may not take it by itself on Windows, so the permission must come before the post.
TEST(RunningCopyTest, SettingsGoToTheRunningCopyAfterItMayTakeTheForeground)
{
    TSeam grant(ReplaceForegroundGrant, RecordGrant);
    TOwnerWindow running(false);
    runningCopy = running.window;
    HandSettingsTo(running.window);
    EXPECT_EQ(grantedTo, GetCurrentProcessId()) << "the process of the window found";
    EXPECT_FALSE(commandWaitedAtGrant);
    PumpThreadMessages();
    ASSERT_EQ(running.commands.size(), 1u);
    EXPECT_EQ(running.commands[0].wParam, static_cast<WPARAM>(MAKEWPARAM(201, 1)));
}
