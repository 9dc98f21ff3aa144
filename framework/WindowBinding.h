// WindowBinding: how a native window finds its library object. Three schemes, each bound and
// unbound only here: window long 0 (set at WM_CREATE), the long appended to a superclassed
// system control, and the "TShapeDlg" property of a shape; and the reflection of a control's
// own messages from its parent to the object bound to it.
#pragma once

#include <windows.h>

class TShape;

// The raw slots; the typed bindings below are what window classes use.
namespace WindowBindingSlots {
void* LongZero(HWND window);
void SetLongZero(HWND window, void* object);
void* Appended(HWND window, int index);
void SetAppended(HWND window, int index, void* object);
} // namespace WindowBindingSlots

// Window long 0 of a library class, whose windows are created with their object as the
// creation parameter. `Handle` is the object's field that names its window.
template <class T, HWND T::*Handle>
struct TLongZeroBinding {
    // The bound object; on WM_CREATE the creation parameter is bound first. Null: not bound,
    // so messages before WM_CREATE never reach the object.
    static T* Find(HWND window, UINT message, LPARAM lParam)
    {
        T* object = static_cast<T*>(WindowBindingSlots::LongZero(window));
        if (object || message != WM_CREATE) return object;
        object = static_cast<T*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (!object) return nullptr;
        WindowBindingSlots::SetLongZero(window, object);
        object->*Handle = window;
        return object;
    }

    // Forgets the window in both directions: late messages get default processing.
    static void Unbind(T& object)
    {
        HWND window = object.*Handle;
        object.*Handle = nullptr;
        if (window && IsWindow(window) && WindowBindingSlots::LongZero(window) == &object)
            WindowBindingSlots::SetLongZero(window, nullptr);
    }

    // The trampoline of a class: `proc(object, message, wParam, lParam)` for a bound window,
    // DefWindowProcA for any other; the window is unbound once the object has seen WM_NCDESTROY.
    template <class Proc>
    static LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Proc proc)
    {
        T* object = Find(window, message, lParam);
        if (!object) return DefWindowProcA(window, message, wParam, lParam);
        LRESULT result = proc(*object, message, wParam, lParam);
        if (message == WM_NCDESTROY && object->*Handle == window) Unbind(*object);
        return result;
    }
};

// A system control class superclassed with one pointer appended to its window extra bytes.
// Registered once; while no object is bound every message goes to the system procedure.
class TSuperclass {
public:
    constexpr TSuperclass(const char* name, const char* systemName, WNDPROC hook)
        : name(name), systemName(systemName), hook(hook)
    {
    }
    TSuperclass(const TSuperclass&) = delete;
    TSuperclass& operator=(const TSuperclass&) = delete;

    // Registers the class the first time; later calls do nothing.
    void Register();
    bool Registered() const { return systemProc != nullptr; }
    const char* Name() const { return name; }
    // The window belongs to this class (by class name, case ignored).
    bool IsClassOf(HWND window) const;
    LRESULT CallSystem(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

protected:
    void* Object(HWND window) const;
    void Bind(HWND window, void* object) const;
    void Clear(HWND window, const void* object) const;

private:
    const char* name;
    const char* systemName;
    WNDPROC hook;
    WNDPROC systemProc = nullptr; // the system class's own procedure
    int appendedIndex = 0;        // the system class's own extra bytes: where the pointer lives
};

// The typed form: T is the bound object, `Handle` its field that names its window.
template <class T, HWND T::*Handle>
class TBoundSuperclass : public TSuperclass {
public:
    using TSuperclass::TSuperclass;

    T* Object(HWND window) const { return static_cast<T*>(TSuperclass::Object(window)); }

    // The creator binds right after CreateWindowExA.
    void Bind(HWND window, T& object) const
    {
        TSuperclass::Bind(window, &object);
        object.*Handle = window;
    }

    // For classes whose windows bring their object as the creation parameter.
    T* FindAtCreate(HWND window, UINT message, LPARAM lParam) const
    {
        T* object = Object(window);
        if (object || message != WM_CREATE || !Registered()) return object;
        object = static_cast<T*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (object) Bind(window, *object);
        return object;
    }

    void Unbind(T& object) const
    {
        HWND window = object.*Handle;
        object.*Handle = nullptr;
        if (window && IsWindow(window)) Clear(window, &object);
    }

    // The trampoline of a superclass: `proc(object, message, wParam, lParam)` for a bound
    // window, the system procedure for any other; unbound after WM_NCDESTROY.
    template <class Proc>
    LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Proc proc) const
    {
        T* object = Object(window);
        if (!object) return CallSystem(window, message, wParam, lParam);
        return RouteBound(window, *object, message, wParam, lParam, proc);
    }

    template <class Proc>
    LRESULT RouteBound(HWND window, T& object, UINT message, WPARAM wParam, LPARAM lParam, Proc proc) const
    {
        LRESULT result = proc(object, message, wParam, lParam);
        if (message == WM_NCDESTROY && object.*Handle == window) Unbind(object);
        return result;
    }
};

// The "TShapeDlg" property: how a shape's children and their support code find their shape.
void BindShapeProperty(HWND window, TShape* shape);
TShape* ShapeProperty(HWND window);
void UnbindShapeProperty(HWND window);

// Reflection. A parent offers the messages that belong to one of its controls (WM_DRAWITEM,
// WM_MEASUREITEM, WM_COMMAND and WM_NOTIFY from it, WM_CTLCOLOR*) to the object bound to that
// control first: the control's own procedure receives ReflectedMessage() with the envelope.
struct TReflected {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    bool handled = false;
};
UINT ReflectedMessage();
// The envelope when `message` is a reflection, else null.
TReflected* AsReflected(UINT message, LPARAM lParam);
// True when the object bound to `control` answered; `result` is then its answer. Controls of
// system classes never know the message and leave it unanswered.
bool ReflectToControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
