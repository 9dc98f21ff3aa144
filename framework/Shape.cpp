// TShape: construction, the class, creation, the setup steps, closing and the value passing.
#include "framework/Shape.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "controls/SystemIconElement.h"
#include "foundation/ProcessEntry.h"
#include "foundation/RegistrySection.h"
#include "foundation/WindowBackground.h"
#include "framework/AccessKeys.h"
#include "framework/ShapeHooks.h"
#include "framework/ShapeLoops.h"

namespace {

const char shapeClassName[] = "ShapeClass";
const DWORD shapeStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
const int firstAutomaticId = 5000;
const int helpKeyCommand = 9;
const UINT helpMenuCommand = 9999;

TShape* applicationMainShape = nullptr; // borrowed
TElement* commandReceiver = nullptr;    // borrowed

void RegisterShapeClass()
{
    WNDCLASSA description;
    TWindow::FillClassDefaults(description);
    description.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    description.lpfnWndProc = &TShape::PreWndProc;
    description.hIcon = LoadIconA(description.hInstance, "APPLICATION_ICON");
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.lpszClassName = shapeClassName;
    TWindow::RegisterWindowClass(description);
}

} // namespace

TShape::TShape(HWND owner, const char* titleText)
    : TWindow(owner), rootGroup(12, 12, static_cast<TElement* const*>(nullptr))
{
    InitShape(titleText);
}

TShape::TShape(HWND owner, const char* titleText, TElement* const* elements)
    : TWindow(owner), rootGroup(12, 12, elements)
{
    InitShape(titleText);
}

TShape::TShape(HWND owner, const char* titleText, TElement* first, ...)
    : TWindow(owner), rootGroup(12, 12, static_cast<TElement* const*>(nullptr))
{
    InitShape(titleText);
    va_list rest;
    va_start(rest, first);
    rootGroup.AppendArguments(first, rest);
    va_end(rest);
}

TShape::TShape(HWND owner, TElement* const* elements) : TWindow(owner), rootGroup(12, 12, elements)
{
    InitShape(nullptr);
}

TShape::TShape(HWND owner, TElement* first, ...)
    : TWindow(owner), rootGroup(12, 12, static_cast<TElement* const*>(nullptr))
{
    InitShape(nullptr);
    va_list rest;
    va_start(rest, first);
    rootGroup.AppendArguments(first, rest);
    va_end(rest);
}

// A shape deleted while its window or its registry entry lives on would leave both pointing
// at freed memory: unbind the window first, so late messages get default processing.
TShape::~TShape()
{
    ForgetModelessShape(this);
    HWND window = hwnd;
    const bool bound = window && IsWindow(window) && (BoundObject(window) == this || ShapeProperty(window) == this);
    TWindowLongBinding::Unbind(*this);
    if (bound) {
        UnbindShapeProperty(window);
        DestroyWindow(window);
    }
}

void TShape::InitShape(const char* titleText)
{
    helpMenuWanted = false;
    ownerWasEnabled = false;
    font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    statusBarId = 0;
    automaticStatusBarId = false;
    resultCode = 0;
    menu = nullptr;
    helpWindow = nullptr;
    statusBar = nullptr;
    palette = nullptr;
    marginX = 12;
    marginY = 12;
    closable = true;
    showAtSetup = true;
    keysAssigned = false;
    nextControlId = firstAutomaticId;
    stopSoundOnClose = false;
    placementStore = nullptr;
    notificationCommand = 0;
    dialogHosted = false;
    SetTitle(titleText);
}

void TShape::SetTitle(const char* text)
{
    title = text ? THeapString(text) : ApplicationName();
}

void TShape::SetPlacement(TRegistryStore* store, const char* valueName)
{
    placementStore = store;
    placementName = valueName;
}

// ---- virtual operations (base behaviour)

HWND TShape::Create()
{
    return CreateNativeWindow(0, shapeClassName, title, shapeStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, owner, menu);
}

bool TShape::PreTranslate(MSG*) { return false; }
void TShape::OnBeforeCreate() {}
void TShape::OnSetupDone() {}
bool TShape::CanClose() { return true; }
void TShape::OnClosing() {}
void TShape::Spare() {}

LRESULT TShape::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool notHandled = false;
    LRESULT result = HandleMessage(message, wParam, lParam, notHandled);
    return notHandled ? DefWindowProcA(hwnd, message, wParam, lParam) : result;
}

INT_PTR TShape::DialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) Setup();
    bool notHandled = false;
    LRESULT result = HandleMessage(message, wParam, lParam, notHandled);
    if (notHandled) return FALSE;
    // Colour messages answer with the brush itself, not through the dialog result.
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return result;
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

LRESULT TShape::OnSysCommand(UINT command, int x, int y)
{
    return HandleSystemCommand(this, command, x, y);
}

int TShape::OnCommand(int id, HWND control, int code)
{
    if (commandReceiver) {
        commandReceiver->Command(id, control, code);
        return 0;
    }
    if (id == IDCANCEL && !control) {
        PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    return rootGroup.Command(id, control, code) ? 0 : -1;
}

bool TShape::OnNotify(int id, NMHDR* header)
{
    return rootGroup.Notify(id, header);
}

void TShape::SaveValues(TRegistryStore& store)
{
    if (name.IsEmpty()) {
        rootGroup.Save(store);
        return;
    }
    TRegistrySection section(store, name);
    rootGroup.Save(section.Store());
}

void TShape::LoadValues(TRegistryStore& store)
{
    if (name.IsEmpty()) {
        rootGroup.Load(store);
        return;
    }
    TRegistrySection section(store, name, OpenExisting);
    rootGroup.Load(section.Store());
}

// ---- window procedures

LRESULT CALLBACK TShape::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TWindowLongBinding::Route(window, message, wParam, lParam,
                                     [](TWindow& object, UINT message, WPARAM wParam, LPARAM lParam) {
                                         return static_cast<TShape&>(object).WindowProc(message, wParam, lParam);
                                     });
}

INT_PTR CALLBACK TShape::PreDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TShape* shape = ShapeProperty(window);
    if (!shape) {
        if (message != WM_INITDIALOG) return 0;
        shape = reinterpret_cast<TShape*>(lParam);
        shape->hwnd = window;
        shape->dialogHosted = true;
        shape->AdoptDialogWindow();
    }
    return shape->DialogProc(message, wParam, lParam);
}

// A system dialog hosts the shape: give it the shape's icons, style and title. The shape owns
// the icons, since the window only borrows what WM_SETICON gives it.
void TShape::AdoptDialogWindow()
{
    HINSTANCE instance = ModuleInstance();
    dialogSmallIcon.Reset(static_cast<HICON>(LoadImageA(instance, "APPLICATION_ICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    dialogLargeIcon.Reset(static_cast<HICON>(LoadImageA(instance, "APPLICATION_ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    PostMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(dialogSmallIcon.Get()));
    PostMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(dialogLargeIcon.Get()));
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(shapeStyle));
    SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.Text()));
}

// ---- creation and setup

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
    BindSnapTracker(this);
}

// The automatic ids restart here, before the status bar takes the first, and an automatic
// status-bar id is taken anew at every setup, so that the bar and the controls never share one.
void TShape::CreateStatusBar()
{
    nextControlId = firstAutomaticId;
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

    int width = size.cx + 2 * marginX;
    int height = size.cy + 2 * marginY;
    rootGroup.Place(this, marginX, marginY);
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
    AppendMenuA(helpMenu, MF_STRING, helpMenuCommand, "ヘルプ(&H)");
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
            CentreShape(this);
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

// ---- for elements

void TShape::RegisterCaption(THeapString* caption)
{
    if (caption) captions.push_back(caption);
}

void TShape::AddShowHideListener(TSystemIconElement* element)
{
    if (element) showHideListeners.push_back(element);
}

void TShape::RemoveShowHideListener(TSystemIconElement* element)
{
    for (size_t i = 0; i < showHideListeners.size(); ++i) {
        if (showHideListeners[i] != element) continue;
        showHideListeners.erase(showHideListeners.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

void TShape::NotifyShowHide(bool shown)
{
    // A listener may remove itself while it is told.
    std::vector<TSystemIconElement*> listeners = showHideListeners;
    for (TSystemIconElement* listener : listeners) listener->ShownChanged(this, shown);
}

// ---- ending and closing

void TShape::EndShape(int code)
{
    resultCode = code;
    if (!SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0)) {
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return;
    }
    if (HandleClose()) EndDialog(hwnd, code);
}

bool TShape::HandleClose()
{
    if (!CanClose()) return false;
    if (stopSoundOnClose) PlaySoundA(nullptr, nullptr, SND_ASYNC);
    OnClosing();
    if (!owner || !IsWindow(owner)) return true;
    if (notificationCommand) {
        WPARAM command = (static_cast<WPARAM>(static_cast<unsigned>(resultCode)) << 16) |
                         (static_cast<unsigned>(notificationCommand) & 0xFFFF);
        PostMessageA(owner, WM_COMMAND, command & 0xFFFFFFFFu, reinterpret_cast<LPARAM>(hwnd));
        return true;
    }
    // Before the window goes, so that Windows activates the owner and not another program.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (IsWindowEnabled(owner)) SetActiveWindow(owner);
    return true;
}

// ---- one-shot shapes

int TShape::RunShape(HWND owner, const char* placementName, TElement* const* elements)
{
    return RunShape(owner, placementName, static_cast<const char*>(nullptr), elements);
}

int TShape::RunShape(HWND owner, const char* placementName, const char* titleText, TElement* const* elements)
{
    TShape shape(owner, titleText);
    shape.SetPlacement(nullptr, placementName);
    return shape.ShowModal(elements);
}

int TShape::RunShape(HWND owner, const char* placementName, TElement* first, ...)
{
    TShape shape(owner, static_cast<const char*>(nullptr));
    shape.SetPlacement(nullptr, placementName);
    va_list rest;
    va_start(rest, first);
    shape.rootGroup.AppendArguments(first, rest);
    va_end(rest);
    return shape.ShowModal();
}

int TShape::RunShape(HWND owner, const char* placementName, const char* titleText, TElement* first, ...)
{
    TShape shape(owner, titleText);
    shape.SetPlacement(nullptr, placementName);
    va_list rest;
    va_start(rest, first);
    shape.rootGroup.AppendArguments(first, rest);
    va_end(rest);
    return shape.ShowModal();
}

// ---- process-wide settings

void TShape::SetApplicationMainShape(TShape* shape) { applicationMainShape = shape; }
TShape* TShape::ApplicationMainShape() { return applicationMainShape; }
void TShape::SetCommandReceiver(TElement* receiver) { commandReceiver = receiver; }
TElement* TShape::CommandReceiver() { return commandReceiver; }

TShape* ShapeOfWindow(HWND window)
{
    if (!window) return nullptr;
    TShape* shape = ShapeProperty(window);
    return shape ? shape : ShapeProperty(GetParent(window));
}
