// WindowBinding: the slots of the three binding schemes, superclass registration and reflection.
#include "framework/WindowBinding.h"

#include "framework/Window.h"

namespace {

const char shapeProperty[] = "TShapeDlg";

} // namespace

void* WindowBindingSlots::LongZero(HWND window) { return reinterpret_cast<void*>(GetWindowLongPtrA(window, 0)); }

void WindowBindingSlots::SetLongZero(HWND window, void* object)
{
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(object));
}

void* WindowBindingSlots::Appended(HWND window, int index)
{
    return reinterpret_cast<void*>(GetWindowLongPtrA(window, index));
}

void WindowBindingSlots::SetAppended(HWND window, int index, void* object)
{
    SetWindowLongPtrA(window, index, reinterpret_cast<LONG_PTR>(object));
}

void TSuperclass::Register()
{
    if (systemProc) return;
    WNDCLASSA description;
    TWindow::FillClassDefaults(description);
    GetClassInfoA(nullptr, systemName, &description);
    systemProc = description.lpfnWndProc;
    appendedIndex = description.cbWndExtra;
    description.hInstance = TWindow::ModuleInstance();
    description.lpfnWndProc = hook;
    description.cbWndExtra += sizeof(LONG_PTR);
    description.lpszClassName = name;
    TWindow::RegisterWindowClass(description);
}

bool TSuperclass::IsClassOf(HWND window) const
{
    char className[64];
    return window && GetClassNameA(window, className, sizeof className) > 0 && lstrcmpiA(className, name) == 0;
}

LRESULT TSuperclass::CallSystem(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!systemProc) return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(systemProc, window, message, wParam, lParam);
}

void* TSuperclass::Object(HWND window) const
{
    return systemProc && window ? WindowBindingSlots::Appended(window, appendedIndex) : nullptr;
}

void TSuperclass::Bind(HWND window, void* object) const
{
    if (systemProc) WindowBindingSlots::SetAppended(window, appendedIndex, object);
}

void TSuperclass::Clear(HWND window, const void* object) const
{
    if (Object(window) == object) WindowBindingSlots::SetAppended(window, appendedIndex, nullptr);
}

void BindShapeProperty(HWND window, TShape* shape) { SetPropA(window, shapeProperty, shape); }

TShape* ShapeProperty(HWND window)
{
    return window ? static_cast<TShape*>(GetPropA(window, shapeProperty)) : nullptr;
}

void UnbindShapeProperty(HWND window) { RemovePropA(window, shapeProperty); }

UINT ReflectedMessage()
{
    static const UINT message = RegisterWindowMessageA("VantryReflected");
    return message;
}

TReflected* AsReflected(UINT message, LPARAM lParam)
{
    return message == ReflectedMessage() ? reinterpret_cast<TReflected*>(lParam) : nullptr;
}

bool ReflectToControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Only this thread's windows: the envelope lives on this stack.
    if (!control || GetWindowThreadProcessId(control, nullptr) != GetCurrentThreadId()) return false;
    TReflected envelope{message, wParam, lParam};
    SendMessageA(control, ReflectedMessage(), 0, reinterpret_cast<LPARAM>(&envelope));
    if (envelope.handled) result = envelope.result;
    return envelope.handled;
}
