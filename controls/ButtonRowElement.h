// TButtonRowElement: a row or column of push buttons with icons; a button ends its box with its id.
#pragma once

#include <vector>

#include "controls/Element.h"
#include "framework/TransparentControls.h"

// One button of a row; the caller fills it, the row creates and binds the window.
struct TButtonDescriptor {
    // The caption is converted for display; the icon is the program's small icon resource.
    TButtonDescriptor(int id, const char* caption, const char* iconName, int helpId = -1, bool enabled = true);

    int id;                      // the command identifier, and the box's result
    THeapString caption;         // display text
    HICON icon;                  // borrowed: the icon cache owns it
    TTransparentControl control; // the button's window and its default flag, bound to the window
    unsigned char enabled;       // 0 creates the button disabled
    int helpId;                  // context help identifier; -1 none
};

// The buttons that ask "OK" / "Cancel" in every question of the program.
struct TOkCancelButtons {
    TOkCancelButtons();
    TButtonDescriptor ok;
    TButtonDescriptor cancel;
};

class TButtonRowElement : public TElement {
public:
    // Descriptors in the order the buttons appear, null-terminated; they stay the caller's.
    TButtonRowElement(int dock, TButtonDescriptor* const* descriptors);
    TButtonRowElement(int dock, TButtonDescriptor* first, ...);
    ~TButtonRowElement() override;

    int Count() const { return static_cast<int>(buttons.size()); }
    TButtonDescriptor& Button(int index) const { return *buttons[index]; }
    void SetMayMarkDefault(bool flag) { mayMarkDefault = flag ? 1 : 0; }
    void SetDefaultIndex(int index) { defaultIndex = index; }

    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    bool Command(int id, HWND window, int code) override;
    void Enable(bool enabled) override;

    // Lengths at 96 DPI; a caption that needs more widens every button of the row.
    static const int ButtonWidth = 88;
    static const int ButtonHeight = 21;
    static const int Gap = 6;
    static const int HelpCommand = 9;

private:
    void Init(int dock);
    bool IsRow() const { return dock == DockTop || dock == DockBottom; }
    TButtonDescriptor* Find(int id, HWND window) const;
    void CreateButton(TShape* shape, TButtonDescriptor& button, int x, int y, bool isDefault);

    std::vector<TButtonDescriptor*> buttons; // borrowed: the caller's descriptors
    unsigned char mayMarkDefault;
    int defaultIndex;
    SIZE buttonSize = {0, 0}; // every button's window, in pixels; set by measuring
};

// True when a child of the shape is already the default push button: a transparent push
// button with the default flag, or a system button with BS_DEFPUSHBUTTON.
bool ShapeHasDefaultButton(HWND shape);

// Test seam: what opens the help file at a context (OpenHelp by default); returns the previous.
using THelpOpener = BOOL(WINAPI*)(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data);
THelpOpener ReplaceHelpOpener(THelpOpener opener);
