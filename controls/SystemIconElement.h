// TSystemIconElement: the 32 x 32 icon of a message kind, which sounds when its box is shown.
#pragma once

#include "controls/Element.h"

// Kinds are keyed by the system's icon identifiers, plus the program's own cure icon.
enum TIconKind {
    IconApplication = 32512, // the program's "APPLICATION_ICON", no sound
    IconHand = 32513,        // error
    IconQuestion = 32514,
    IconExclamation = 32515, // warning
    IconAsterisk = 32516,    // information
    IconWinLogo = 32517,     // the generic icon of every other key, no sound
    IconCure = 1118          // "CURE_ICON"
};

class TSystemIconElement : public TElement {
public:
    explicit TSystemIconElement(int kind);
    ~TSystemIconElement() override;

    int Kind() const { return kind; }
    HICON Icon() const { return icon; }
    bool PlayedSound() const { return playedSound != 0; }

    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    void Paint(TShape* shape, HDC dc) override;
    void Enable(bool enabled) override;
    // For show/hide listeners of a shape (the only element kind that listens).
    virtual void ShownChanged(TShape* shape, bool shown);

    static const int IconSize = 32; // at 96 DPI, the large icon

private:
    // One element of a kind may stand in several open boxes at once, so where it stands is
    // asked of each box's element tree, never kept here.
    int kind;
    HICON icon; // borrowed: the icon cache owns it
    unsigned char enabled;
    unsigned char playedSound;
};

// The shared element and icon of a kind, made on first use and kept for the whole run.
// An unknown key gives the generic kind IconWinLogo.
TSystemIconElement& SystemIconElement(int kind);
HICON SystemIconHandle(int kind);

// Plays the system sound of the kind; true when one was started. Without `force` nothing
// plays while the user has switched beeps off; with it a kind without a sound of its own
// plays the default sound.
bool PlayIconSound(const TSystemIconElement* element, bool force);
bool PlayIconSound(HICON icon, bool force);

// The "Beep" value of HKEY_CURRENT_USER "Control Panel\Sound" switches beeps off.
bool BeepSettingSilences(const char* value);
bool BeepsSwitchedOff();
