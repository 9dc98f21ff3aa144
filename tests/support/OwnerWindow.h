// TOwnerWindow: a plain top-level window with an edit field, to own the shapes under test; it
// records the commands it is sent.
#pragma once

#include <windows.h>

#include <vector>

class TOwnerWindow {
public:
    explicit TOwnerWindow(bool visible = true);
    ~TOwnerWindow() { DestroyWindow(window); }
    TOwnerWindow(const TOwnerWindow&) = delete;
    TOwnerWindow& operator=(const TOwnerWindow&) = delete;

    HWND window; // owned
    HWND edit;   // owned by window
    std::vector<MSG> commands; // every WM_COMMAND but the edit field's notices, in order

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
