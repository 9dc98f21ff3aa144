// TLineTip: the whole text of a list line that is drawn cut, shown over the line while the
// mouse rests on it (an in-place tool tip).
#pragma once

#include <windows.h>

#include "foundation/Handles.h"

class TLineTip {
public:
    TLineTip() = default;
    ~TLineTip();
    TLineTip(const TLineTip&) = delete;
    TLineTip& operator=(const TLineTip&) = delete;

    // Follows this list (its item data are TComboListItem) from now on, with a tip of its own.
    void Attach(HWND list);
    // The list's messages, before the list handles them: the mouse shows and hides the tip.
    void Message(UINT message, WPARAM wParam, LPARAM lParam);
    // The line whose whole text is shown, or -1.
    int ShownLine() const { return shownLine; }
    HWND Window() const { return tip; }

private:
    void Follow(POINT client);
    void Show(int line);
    void Hide();

    HWND list = nullptr; // borrowed: the list box
    TOwnedWindow tip;    // owned popup; owned by the list's shape too, which may destroy it first
    int shownLine = -1;
    bool leaveAsked = false; // TrackMouseEvent will send WM_MOUSELEAVE
};
