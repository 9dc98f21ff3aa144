// TBoxDriver: acts on a modal box from a thread timer while the box's own loop runs, and
// watches whether any shape window is ever shown.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class TBoxDriver {
public:
    using TStep = std::function<void(HWND box)>;

    // Steps run one per tick once the window of class "ShapeClass" titled `title` exists;
    // after the last step (or about four seconds) a box still open is destroyed.
    TBoxDriver(const char* title, std::vector<TStep> steps) : title(title), steps(std::move(steps))
    {
        current = this;
        timer = SetTimer(nullptr, 0, 20, &TBoxDriver::Tick);
        hook = SetWindowsHookExA(WH_CALLWNDPROC, &TBoxDriver::WatchShow, nullptr, GetCurrentThreadId());
    }
    ~TBoxDriver()
    {
        KillTimer(nullptr, timer);
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    TBoxDriver(const TBoxDriver&) = delete;
    TBoxDriver& operator=(const TBoxDriver&) = delete;

    int shownCount = 0;  // WM_SHOWWINDOW (TRUE) sent to a shape
    bool timedOut = false;

    // Presses a button the way the system does: WM_COMMAND from the button's window.
    static void Press(HWND box, int id)
    {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    }
    // The first child of the box with the given button type (BS_AUTOCHECKBOX, ...).
    static HWND ChildOfType(HWND box, LONG type)
    {
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == type) return child;
        return nullptr;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TBoxDriver* driver = current;
        if (!driver) return;
        HWND box = FindWindowA("ShapeClass", driver->title);
        if (!box) return;
        if (++driver->ticks > 200) {
            driver->timedOut = true;
            DestroyWindow(box);
            return;
        }
        if (driver->next < driver->steps.size()) driver->steps[driver->next++](box);
    }

    static LRESULT CALLBACK WatchShow(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current && message->message == WM_SHOWWINDOW && message->wParam) {
            char name[32];
            if (GetClassNameA(message->hwnd, name, sizeof name) > 0 && lstrcmpA(name, "ShapeClass") == 0)
                ++current->shownCount;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline TBoxDriver* current = nullptr;
    const char* title;
    std::vector<TStep> steps;
    size_t next = 0;
    int ticks = 0;
    UINT_PTR timer;
    HHOOK hook;
};
