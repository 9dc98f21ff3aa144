// The progress windows: the scan's buttons and their states, closing and its notice, the plain window.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "filelists/ProgressWindow.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"

namespace {

std::vector<WPARAM> ownerCommands;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) ownerCommands.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A plain top-level window that records the commands it is sent.
class TOwnerWindow {
public:
    TOwnerWindow()
    {
        WNDCLASSA description = {};
        description.lpfnWndProc = &OwnerProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "ProgressOwnerTest";
        RegisterClassA(&description);
        window = CreateWindowExA(0, "ProgressOwnerTest", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, description.hInstance, nullptr);
        ownerCommands.clear();
    }
    ~TOwnerWindow() { DestroyWindow(window); }
    TOwnerWindow(const TOwnerWindow&) = delete;
    TOwnerWindow& operator=(const TOwnerWindow&) = delete;

    HWND window;
};

void Press(HWND shape, int id)
{
    SendMessageA(shape, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(shape, id)));
    PumpPending();
}

bool HasChildText(HWND parent, const char* part)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[256] = "";
        GetWindowTextA(child, text, sizeof text);
        if (std::strstr(text, part)) return true;
    }
    return false;
}

SIZE BarSize(HWND shape)
{
    RECT client = {};
    GetClientRect(FindWindowExA(shape, nullptr, "VantryProgressBar", nullptr), &client);
    return SIZE{client.right, client.bottom};
}

// Gives the posted closing messages time to arrive and be handled.
void PumpFor(int milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        PumpPending();
        Sleep(10);
    }
}

} // namespace

TEST(ProgressWindowTest, ScanWindowStartsRunningAndPauseAndResumeSwap)
{
    TOwnerWindow owner;
    TProgressWindow progress(owner.window, TProgressKind::FolderScan);
    progress.Show();
    HWND shape = progress.Handle();
    ASSERT_TRUE(progress.IsOpen());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(shape, TProgressWindow::ResumeId)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(shape, TProgressWindow::PauseId)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(shape, TProgressWindow::StopId)));
    EXPECT_TRUE(HasChildText(shape, "探査中"));
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
    PumpFor(50);
    ASSERT_EQ(ownerCommands.size(), 1u);
    EXPECT_EQ(LOWORD(ownerCommands[0]), TProgressWindow::NotificationCommand);
    EXPECT_EQ(HIWORD(ownerCommands[0]), 1);
}

TEST(ProgressWindowTest, StopEnablesTheOwnerAndEndsTheWindowWithTwo)
{
    TOwnerWindow owner;
    TProgressWindow progress(owner.window, TProgressKind::FolderScan);
    progress.Show();
    EnableWindow(owner.window, FALSE); // as a caller that blocks its window during the scan
    HWND shape = progress.Handle();
    Press(shape, TProgressWindow::StopId);
    PumpFor(50);
    EXPECT_FALSE(progress.IsOpen());
    EXPECT_FALSE(IsWindow(shape));
    EXPECT_TRUE(IsWindowEnabled(owner.window));
    ASSERT_EQ(ownerCommands.size(), 1u);
    EXPECT_EQ(LOWORD(ownerCommands[0]), TProgressWindow::NotificationCommand);
    EXPECT_EQ(HIWORD(ownerCommands[0]), TProgressWindow::StopId);
    progress.Close(); // nothing left to close
    EXPECT_EQ(ModelessShapeCount(), 0);
}

TEST(ProgressWindowTest, AddingWindowHasNoButtonsAndCannotBeClosedByTheUser)
{
    TOwnerWindow owner;
    TProgressWindow progress(owner.window, TProgressKind::AddingPaths, 2 * 25);
    progress.Show();
    HWND shape = progress.Handle();
    EXPECT_FALSE(GetDlgItem(shape, TProgressWindow::ResumeId));
    EXPECT_FALSE(GetDlgItem(shape, TProgressWindow::PauseId));
    EXPECT_FALSE(GetDlgItem(shape, TProgressWindow::StopId));
    EXPECT_TRUE(HasChildText(shape, "追加中"));
    EXPECT_EQ(BarSize(shape).cx, 288);
    EXPECT_EQ(progress.Range(), 50);
    EXPECT_FALSE(progress.Shape().Closable());

    SendMessageA(shape, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpFor(50);
    EXPECT_TRUE(progress.IsOpen());
    progress.Close();
    EXPECT_FALSE(IsWindow(shape));
}
