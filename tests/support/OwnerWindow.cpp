// TOwnerWindow: its class, and the commands it keeps.
#include "support/OwnerWindow.h"

TOwnerWindow::TOwnerWindow(bool visible)
{
    WNDCLASSA description = {};
    description.lpfnWndProc = &WindowProc;
    description.hInstance = GetModuleHandleA(nullptr);
    description.lpszClassName = "KelvaneTestOwner";
    RegisterClassA(&description); // a second registration fails harmlessly
    window = CreateWindowExA(0, description.lpszClassName, "Owner", WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                             10, 10, 300, 200, nullptr, nullptr, description.hInstance, this);
    edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, window, nullptr, nullptr, nullptr);
}

LRESULT CALLBACK TOwnerWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* owner = reinterpret_cast<TOwnerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    // The edit field's notices are not commands sent to the owner.
    if (message == WM_COMMAND && owner && reinterpret_cast<HWND>(lParam) != owner->edit)
        owner->commands.push_back(MSG{window, message, wParam, lParam, 0, {0, 0}});
    return DefWindowProcA(window, message, wParam, lParam);
}
