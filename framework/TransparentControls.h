// Transparent controls: system edits, statics and buttons superclassed so that the shape's
// background shows through them.
#pragma once

#include <windows.h>

// What the creating element binds to its control right after CreateWindowExA. Until then the
// control behaves exactly as its system class.
struct TTransparentControl {
    TTransparentControl() = default;
    // A record that goes while its control lives leaves the control to its system class.
    ~TTransparentControl();
    TTransparentControl(const TTransparentControl&) = delete;
    TTransparentControl& operator=(const TTransparentControl&) = delete;

    HWND hwnd = nullptr;    // borrowed: the control (always the first field); null once it is gone
    bool isDefault = false; // push buttons: the button that Return presses
};

// Registers "TransparentEdit", "TransparentStatic", "TransparentButton" and
// "TransparentPushButton" (each once; later calls do nothing).
void RegisterTransparentClasses();

// Stores `record` in the control's appended window long (and its handle in the record);
// false when the window is not of a transparent class.
bool BindTransparentControl(HWND control, TTransparentControl* record);
// The record bound to a transparent control; null before binding or for other windows.
TTransparentControl* TransparentControlOf(HWND control);
// A "TransparentPushButton" whose record carries the default flag.
bool IsTransparentDefaultButton(HWND control);

class TTransparentEditbox {
public:
    static LRESULT CALLBACK PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

class TTransparentStatic {
public:
    static LRESULT CALLBACK PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
