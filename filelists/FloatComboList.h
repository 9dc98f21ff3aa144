// TFloatComboList: the drop-down list of a combo edit, a list box floating on the desktop.
#pragma once

#include <windows.h>

#include "framework/WindowBinding.h"

class TOwnerDrawComboboxElement;

class TFloatComboList {
public:
    explicit TFloatComboList(TOwnerDrawComboboxElement* owner) : owner(owner) {}
    ~TFloatComboList();
    TFloatComboList(const TFloatComboList&) = delete;
    TFloatComboList& operator=(const TFloatComboList&) = delete;

    static const char* const ClassName; // "FloatComboListClass"
    static const char* const Title;     // "DropDownList", how shapes find open lists
    static void RegisterClass();
    static LRESULT CALLBACK PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Created as a child of the frame, then moved to the desktop so that it floats.
    void Create(HWND frame, int id);
    // Back under the frame first, so that nothing of it outlives the frame.
    void Destroy(HWND frame);

    // Closes every other floating list, then shows this one under the frame (above it when
    // there is no room below).
    void Open(HWND frame);
    void Close();
    bool IsOpen() const;

    HWND list = nullptr; // owned: destroyed by Destroy
    TOwnerDrawComboboxElement* owner; // borrowed: the element this list belongs to
    int listHeight = 160; // at 96 DPI

private:
    static TBoundSuperclass<TFloatComboList, &TFloatComboList::list> superclass; // binds at WM_CREATE
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void FollowMouse(int x, int y);
    // One item toward the mouse when it is above or below the items; false when it is not.
    bool StepTowardMouse(int x, int y);
    void Choose();
    void ScrollWhileHidden(int code);
    LRESULT CallSystem(UINT message, WPARAM wParam, LPARAM lParam);
};
