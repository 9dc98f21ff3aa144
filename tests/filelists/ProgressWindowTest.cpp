// The progress windows: the scan's buttons and their states, closing and its notice, the plain window.
#include <gtest/gtest.h>

#include <string>

#include "filelists/ProgressWindow.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"
#include "support/OwnerWindow.h"
#include "support/WindowTexts.h"

namespace {

void Press(HWND shape, int id)
{
    SendMessageA(shape, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(shape, id)));
    PumpPending();
}

SIZE BarSize(HWND shape)
{
    RECT client = {};
    GetClientRect(FindWindowExA(shape, nullptr, "VantryProgressBar", nullptr), &client);
    return SIZE{client.right, client.bottom};
}

} // namespace

TEST(ProgressWindowTest, ScanWindowStartsRunningAndPauseAndResumeSwap)
{
    TOwnerWindow owner(false);
    TProgressWindow progress(owner.window, TProgressKind::FolderScan);
    progress.Show();
    HWND shape = progress.Handle();
    ASSERT_TRUE(progress.IsOpen());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(shape, TProgressWindow::ResumeId)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(shape, TProgressWindow::PauseId)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(shape, TProgressWindow::StopId)));
    EXPECT_NE(ChildTexts(shape).find("探査中"), std::string::npos);
    EXPECT_EQ(BarSize(shape).cx, 288);
    EXPECT_EQ(BarSize(shape).cy, 18);
    EXPECT_EQ(progress.Shape().PlacementName(), "ProgressShape");
    EXPECT_FALSE(progress.IsPaused());

    Press(shape, TProgressWindow::PauseId);
    EXPECT_TRUE(progress.IsPaused());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(shape, TProgressWindow::PauseId)));
    EXPECT_EQ(GetFocus(), GetDlgItem(shape, TProgressWindow::ResumeId));

    Press(shape, TProgressWindow::ResumeId);
    EXPECT_FALSE(progress.IsPaused());
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(shape, TProgressWindow::PauseId)));
    EXPECT_EQ(GetFocus(), GetDlgItem(shape, TProgressWindow::PauseId));
    EXPECT_TRUE(progress.IsOpen()); // neither ends the window

    progress.SetRange(4);
    progress.Advance();
    progress.Advance();
    EXPECT_EQ(progress.Range(), 4);
    EXPECT_EQ(progress.Position(), 2);

    progress.Close();
    EXPECT_FALSE(IsWindow(shape));
    EXPECT_EQ(ModelessShapeCount(), 0);
    PumpPending(); // the posted closing messages
    ASSERT_EQ(owner.commands.size(), 1u);
    EXPECT_EQ(LOWORD(owner.commands[0].wParam), TProgressWindow::NotificationCommand);
    EXPECT_EQ(HIWORD(owner.commands[0].wParam), 1);
}

TEST(ProgressWindowTest, StopEnablesTheOwnerAndEndsTheWindowWithTwo)
{
    TOwnerWindow owner(false);
    TProgressWindow progress(owner.window, TProgressKind::FolderScan);
    progress.Show();
    EnableWindow(owner.window, FALSE); // as a caller that blocks its window during the scan
    HWND shape = progress.Handle();
    Press(shape, TProgressWindow::StopId);
    PumpPending(); // the posted closing messages
    EXPECT_FALSE(progress.IsOpen());
    EXPECT_FALSE(IsWindow(shape));
    EXPECT_TRUE(IsWindowEnabled(owner.window));
    ASSERT_EQ(owner.commands.size(), 1u);
    EXPECT_EQ(LOWORD(owner.commands[0].wParam), TProgressWindow::NotificationCommand);
    EXPECT_EQ(HIWORD(owner.commands[0].wParam), TProgressWindow::StopId);
    progress.Close(); // nothing left to close
    EXPECT_EQ(ModelessShapeCount(), 0);
}

TEST(ProgressWindowTest, AddingWindowHasNoButtonsAndCannotBeClosedByTheUser)
{
    TOwnerWindow owner(false);
    TProgressWindow progress(owner.window, TProgressKind::AddingPaths, 2 * 25);
    progress.Show();
    HWND shape = progress.Handle();
    EXPECT_FALSE(GetDlgItem(shape, TProgressWindow::ResumeId));
    EXPECT_FALSE(GetDlgItem(shape, TProgressWindow::PauseId));
    EXPECT_FALSE(GetDlgItem(shape, TProgressWindow::StopId));
    EXPECT_NE(ChildTexts(shape).find("追加中"), std::string::npos);
    EXPECT_EQ(BarSize(shape).cx, 288);
    EXPECT_EQ(progress.Range(), 50);
    EXPECT_FALSE(progress.Shape().Closable());

    SendMessageA(shape, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpPending(); // the posted closing messages
    EXPECT_TRUE(progress.IsOpen());
    progress.Close();
    EXPECT_FALSE(IsWindow(shape));
}
