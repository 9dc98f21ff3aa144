// Running shapes: the modal loop, modeless shapes and their registry, message pumping, one-shot
// shapes, ending and closing, and the teardown.
#include "framework/ShapeLoops.h"

#include <mmsystem.h>

#include <list>

#include "foundation/WindowBackground.h"
#include "framework/Shape.h"

namespace {

std::list<TShape*>& ModelessShapes()
{
    static std::list<TShape*> shapes; // borrowed pointers: shapes belong to their builders
    return shapes;
}

// Offers a message the way the active shape sees it: keys, dialog navigation, the shape itself.
bool OfferToShape(TShape* shape, MSG* message)
{
    return shape->Keys().Translate(shape->Handle(), *message) || IsDialogMessageA(shape->Handle(), message) ||
           shape->PreTranslate(message);
}

void Dispatch(MSG* message)
{
    TranslateMessage(message);
    DispatchMessageA(message);
}

} // namespace

void RegisterModelessShape(TShape* shape)
{
    for (TShape* known : ModelessShapes())
        if (known == shape) return;
    ModelessShapes().push_back(shape);
}

void ForgetModelessShape(TShape* shape)
{
    ModelessShapes().remove(shape);
}

int ModelessShapeCount()
{
    return static_cast<int>(ModelessShapes().size());
}

bool PreTranslateModeless(MSG* message)
{
    HWND active = GetActiveWindow();
    std::list<TShape*>& shapes = ModelessShapes();
    for (auto node = shapes.begin(); node != shapes.end();) {
        TShape* shape = *node;
        if (!shape->hwnd || !IsWindow(shape->hwnd)) {
            // Out of the list before the teardown, which may run a loop of its own.
            node = shapes.erase(node);
            HWND former = shape->hwnd;
            shape->hwnd = nullptr;
            shape->Teardown(former);
            continue;
        }
        if (shape->hwnd == active && OfferToShape(shape, message)) return true;
        ++node;
    }
    return false;
}

void PumpPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The loop that owns the quit request must still see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (!PreTranslateModeless(&message)) Dispatch(&message);
    }
}

void DestroyAllShapes()
{
    std::list<TShape*>& shapes = ModelessShapes();
    while (!shapes.empty()) {
        TShape* shape = shapes.front();
        shapes.pop_front();
        HWND former = shape->hwnd;
        shape->hwnd = nullptr;
        shape->Teardown(former);
    }
    DeleteSharedBackgrounds();
}

int TShape::Teardown(HWND formerWindow)
{
    keys.Clear();
    if (formerWindow && IsWindow(formerWindow) && IsWindowVisible(formerWindow)) NotifyShowHide(false);
    rootGroup.Ended(resultCode);
    helpMenu.Reset();
    dialogSmallIcon.Reset();
    dialogLargeIcon.Reset();
    return resultCode;
}

int TShape::RunModal()
{
    HWND focus = GetFocus();
    ownerWasEnabled = false;
    if (owner && IsWindow(owner)) {
        ownerWasEnabled = IsWindowEnabled(owner) != FALSE;
        if (ownerWasEnabled) EnableWindow(owner, FALSE);
    }
    notificationCommand = 0;
    RunCreateSequence();
    SetForegroundWindow(hwnd);
    MSG message;
    BOOL fetched = TRUE;
    while (hwnd && IsWindow(hwnd) && (fetched = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        bool consumed = GetActiveWindow() == hwnd && OfferToShape(this, &message);
        if (!consumed) consumed = PreTranslateModeless(&message);
        if (!consumed) Dispatch(&message);
    }
    // A quit request belongs to the outermost loop as well.
    if (fetched == 0) PostQuitMessage(static_cast<int>(message.wParam));
    HWND former = hwnd;
    hwnd = nullptr;
    int result = Teardown(former);
    SetFocus(focus);
    return result;
}

int TShape::ShowModal()
{
    return RunModal();
}

int TShape::ShowModal(const char* titleText)
{
    SetTitle(titleText);
    return RunModal();
}

int TShape::ShowModal(TElement* const* elements)
{
    rootGroup.AppendList(elements);
    return RunModal();
}

int TShape::ShowModal(const char* titleText, TElement* const* elements)
{
    SetTitle(titleText);
    rootGroup.AppendList(elements);
    return RunModal();
}

int TShape::ShowModal(TElement* first, ...)
{
    va_list rest;
    va_start(rest, first);
    rootGroup.AppendArguments(first, rest);
    va_end(rest);
    return RunModal();
}

int TShape::ShowModal(const char* titleText, TElement* first, ...)
{
    SetTitle(titleText);
    va_list rest;
    va_start(rest, first);
    rootGroup.AppendArguments(first, rest);
    va_end(rest);
    return RunModal();
}

void TShape::ShowModeless(int command)
{
    notificationCommand = command;
    RunCreateSequence();
    RegisterModelessShape(this);
}

void TShape::ShowModeless(int command, TElement* const* elements)
{
    rootGroup.AppendList(elements);
    ShowModeless(command);
}

void TShape::ShowModeless(int command, TElement* first, ...)
{
    va_list rest;
    va_start(rest, first);
    rootGroup.AppendArguments(first, rest);
    va_end(rest);
    ShowModeless(command);
}

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
    va_list rest;
    va_start(rest, first);
    const int result = RunShapeWith(owner, placementName, nullptr, first, rest);
    va_end(rest);
    return result;
}

int TShape::RunShape(HWND owner, const char* placementName, const char* titleText, TElement* first, ...)
{
    va_list rest;
    va_start(rest, first);
    const int result = RunShapeWith(owner, placementName, titleText, first, rest);
    va_end(rest);
    return result;
}

int TShape::RunShapeWith(HWND owner, const char* placementName, const char* titleText, TElement* first,
                         va_list rest)
{
    TShape shape(owner, titleText);
    shape.SetPlacement(nullptr, placementName);
    shape.rootGroup.AppendArguments(first, rest);
    return shape.ShowModal();
}
