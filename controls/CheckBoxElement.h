// TCheckBoxElement: a check box kept as a 0/1 value under its name, with an optional companion.
#pragma once

#include "controls/Element.h"
#include "framework/TransparentControls.h"

class TCheckBoxElement : public TElement {
public:
    // The width follows the caption.
    TCheckBoxElement(int dock, const char* caption, bool checked, TElement* companion = nullptr);
    // A fixed width.
    TCheckBoxElement(int dock, int width, const char* caption, bool checked, TElement* companion = nullptr);
    ~TCheckBoxElement() override;

    bool Checked() const { return checked != 0; }
    void SetChecked(bool flag) { checked = flag ? 1 : 0; }
    HWND Window() const { return control.hwnd; }
    const THeapString& Caption() const { return caption; }
    TElement* Companion() const { return companion; }

    void Save(TRegistryStore& key) override;
    void Load(TRegistryStore& key) override;
    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    void Ended(int resultCode) override;
    bool Command(int id, HWND window, int code) override;
    void Enable(bool enabled) override;
    void RefreshFromData() override;
    void RefreshToData() override;

    // Lengths at 96 DPI.
    static const int BoxHeight = 18;
    static const int CompanionIndent = 18;
    static const int CompanionGap = 6;

protected:
    bool CompanionBeside() const { return companion && (companion->dock == DockRight || companion->dock == DockTop); }
    void EnableCompanion(bool enabled);

    THeapString caption;          // display text; its marker becomes an access key
    TTransparentControl control;  // the check box window, bound to it
    unsigned char checked;
    unsigned char defaultChecked; // when nothing is stored
    unsigned char widthFollowsCaption;
    TElement* companion;          // borrowed: enabled only while the box is checked
    int width;                    // at 96 DPI when fixed; follows the caption otherwise
    SIZE box;                     // the check box window, in pixels; set by measuring
    SIZE companionSize;
};
