// TShape: the create sequence and the setup steps (status bar, measuring and placing, help menu,
// first position), and the window of a shape hosted by a system dialog.
#include "framework/Shape.h"

#include <commctrl.h>

#include "foundation/IconSource.h"
#include "foundation/ScreenScale.h"
#include "foundation/WindowBackground.h"
#include "framework/AccessKeys.h"
#include "framework/Placement.h"
#include "framework/ShapePosition.h"
#include "framework/SystemMenu.h"

namespace {

const int helpKeyCommand = 9;

void RegisterShapeClass()
{
    WNDCLASSA description;
    TWindow::FillClassDefaults(description);
    description.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    description.lpfnWndProc = &TShape::PreWndProc;
    description.hIcon = LoadIconA(description.hInstance, "APPLICATION_ICON");
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.lpszClassName = TShape::ClassName;
    TWindow::RegisterWindowClass(description);
}

} // namespace

// A system dialog hosts the shape: give it the shape's icons, style and title. The shape owns
// the icons, since the window only borrows what WM_SETICON gives it.
void TShape::AdoptDialogWindow()
{
    HINSTANCE instance = ModuleInstance();
    const int small = IconSizeOfKind(0), large = IconSizeOfKind(1);
    dialogSmallIcon.Reset(static_cast<HICON>(LoadImageA(instance, "APPLICATION_ICON", IMAGE_ICON, small, small, LR_DEFAULTCOLOR)));
    dialogLargeIcon.Reset(static_cast<HICON>(LoadImageA(instance, "APPLICATION_ICON", IMAGE_ICON, large, large, LR_DEFAULTCOLOR)));
    PostMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(dialogSmallIcon.Get()));
    PostMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(dialogLargeIcon.Get()));
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(WindowStyle));
    SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.Text()));
}

void TShape::BeforeCreate()
{
    RegisterShapeClass();
    EnsureClientBackground();
    helpMenuWanted = false;
    OnBeforeCreate();
    stopSoundOnClose = false;
    showHideListeners.clear();
    keys.Clear();
}

void TShape::RunCreateSequence()
{
    BeforeCreate();
    if (Create() && hwnd) Setup();
}

void TShape::Setup()
{
    BindShapeProperty(hwnd, this);
    ExtendSystemMenu(this);
    CreateStatusBar();
    captions.clear();
    keysAssigned = false;
    MeasureAndPlace();
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (helpMenuWanted) CreateHelpMenu();
    OnSetupDone();
    BindHelpKey();
    ChooseFirstPosition();
    snapTracker.Bind(hwnd);
}

// The automatic ids restart here, before the status bar takes the first, and an automatic
// status-bar id is taken anew at every setup, so that the bar and the controls never share one.
void TShape::CreateStatusBar()
{
    nextControlId = FirstAutomaticId;
    statusBar = nullptr;
    if (automaticStatusBarId) statusBarId = NextControlId();
    if (statusBarId == 0) return;
    InitCommonControls();
    statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, "", hwnd,
                                    static_cast<UINT>(statusBarId));
}

void TShape::MeasureAndPlace()
{
    SIZE size;
    {
        TWindowDC dc(hwnd);
        TSelection selection(dc, font);
        size = rootGroup.Measure(this, dc);
    }
    AssignAccessKeys(captions.data(), static_cast<int>(captions.size()));
    keysAssigned = true;

    const SIZE margin = Scaled(SIZE{marginX, marginY});
    int width = size.cx + 2 * margin.cx;
    int height = size.cy + 2 * margin.cy;
    rootGroup.Place(this, margin.cx, margin.cy);
    if (statusBar) {
        RECT bar;
        GetWindowRect(statusBar, &bar);
        height += bar.bottom - bar.top;
    }
    FitClientSize(width, height);
}

// Frames and menu bars make the window size differ from the client size; a wrapping menu bar
// can change it again, hence a few tries.
void TShape::FitClientSize(int width, int height)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT client, window;
        GetClientRect(hwnd, &client);
        int dx = width - (client.right - client.left), dy = height - (client.bottom - client.top);
        if (dx == 0 && dy == 0) return;
        GetWindowRect(hwnd, &window);
        MoveWindow(hwnd, window.left, window.top, window.right - window.left + dx,
                   window.bottom - window.top + dy, FALSE);
    }
}

void TShape::CreateHelpMenu()
{
    SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
    helpMenu.Reset(CreatePopupMenu());
    AppendMenuA(helpMenu, MF_STRING, HelpMenuCommand, "ヘルプ(&H)");
    MakeHelpMenuOwnerDrawn(this, helpMenu);
    helpWindow = nullptr;
}

void TShape::BindHelpKey()
{
    if (GetDlgItem(hwnd, helpKeyCommand)) keys.Append(FVIRTKEY, VK_F1, helpKeyCommand);
}

void TShape::ShowAtFirstPosition()
{
    if (!showAtSetup) return;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
}

void TShape::ChooseFirstPosition()
{
    if (!RestorePlacement(this)) {
        if (owner && IsWindow(owner) && IsWindowVisible(owner))
            CentreShape(this, owner);
        else
            PlaceShapeAtMouse(this);
        ShowAtFirstPosition();
    } else if (IsWindowVisible(hwnd)) {
        if (showAtSetup)
            UpdateWindow(hwnd);
        else
            ShowWindow(hwnd, SW_HIDE);
    } else {
        ShowAtFirstPosition();
    }
}
