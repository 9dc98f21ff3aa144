// TShape: construction, the base behaviour of the virtual operations, services for elements,
// the process-wide settings and the way from a window to its shape.
#include "framework/Shape.h"

#include "controls/SystemIconElement.h"
#include "foundation/ProcessEntry.h"
#include "foundation/RegistrySection.h"
#include "framework/ShapeLoops.h"
#include "framework/SystemCommands.h"

namespace {

TShape* applicationMainShape = nullptr; // borrowed
TElement* commandReceiver = nullptr;    // borrowed

} // namespace

const char* const TShape::ClassName = "ShapeClass";

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

TShape::TShape(HWND owner, const char* titleText, TElement* first, ...) : TShape(owner, titleText)
{
    va_list rest;
    va_start(rest, first);
    rootGroup.AppendArguments(first, rest);
    va_end(rest);
}

TShape::TShape(HWND owner, TElement* const* elements) : TShape(owner, static_cast<const char*>(nullptr), elements)
{
}

TShape::TShape(HWND owner, TElement* first, ...) : TShape(owner, static_cast<const char*>(nullptr))
{
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
    nextControlId = FirstAutomaticId;
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

HWND TShape::Create()
{
    return CreateNativeWindow(0, ClassName, title, WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, owner, menu);
}

bool TShape::PreTranslate(MSG*) { return false; }
void TShape::OnBeforeCreate() {}
void TShape::OnSetupDone() {}
bool TShape::CanClose() { return true; }
void TShape::OnClosing() {}
void TShape::Spare() {}

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
