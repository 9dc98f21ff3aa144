// TComboEdit: the edit field of a combo edit, a superclass of EDIT that hands keys to the list.
#pragma once

#include <windows.h>

#include "framework/WindowBinding.h"

class TOwnerDrawComboboxElement;

class TComboEdit {
public:
    explicit TComboEdit(TOwnerDrawComboboxElement* owner) : owner(owner) {}
    ~TComboEdit();
    TComboEdit(const TComboEdit&) = delete;
    TComboEdit& operator=(const TComboEdit&) = delete;

    static const char* const ClassName; // "VantryComboEdit"
    static void RegisterClass();
    static LRESULT CALLBACK PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // A child of the shape at the default position; the frame's WM_SIZE places it.
    void Create(HWND shape, const char* text, int id);
    void Destroy();

    HWND edit = nullptr;               // owned: destroyed by Destroy (or with the shape)
    TOwnerDrawComboboxElement* owner;  // borrowed

private:
    static TBoundSuperclass<TComboEdit, &TComboEdit::edit> superclass; // binds by the appended long
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool KeyDown(WPARAM key, LPARAM lParam);
    LRESULT CallSystem(UINT message, WPARAM wParam, LPARAM lParam);
};
