// TSystemIconElement: the icon kinds, their shared elements and icons, drawing and the sound on showing.
#include "controls/SystemIconElement.h"

#include <cstring>
#include <map>
#include <memory>

#include "foundation/IconCache.h"
#include "foundation/RegistrySection.h"
#include "foundation/ScreenScale.h"
#include "foundation/SystemSound.h"
#include "framework/Shape.h"

namespace {

int KnownKind(int kind)
{
    switch (kind) {
    case IconApplication:
    case IconHand:
    case IconQuestion:
    case IconExclamation:
    case IconAsterisk:
    case IconCure:
        return kind;
    default:
        return IconWinLogo;
    }
}

HICON LoadKindIcon(int kind)
{
    const int large = 1;
    if (kind == IconApplication) return IconByName("APPLICATION_ICON")->Get(large);
    if (kind == IconCure) return IconByName("CURE_ICON")->Get(large);
    return SystemIconSource(MAKEINTRESOURCEA(kind))->Get(large);
}

// 0 for kinds without a sound of their own.
int SoundOfKind(int kind)
{
    switch (kind) {
    case IconAsterisk:
    case IconCure: return 64;
    case IconExclamation: return 48;
    case IconHand: return 16;
    case IconQuestion: return 32;
    default: return 0;
    }
}

bool PlayKind(int kind, bool force)
{
    if (!force && BeepsSwitchedOff()) return false;
    if (int sound = SoundOfKind(kind)) {
        PlaySystemSound(sound);
        return true;
    }
    if (!force) return false;
    PlaySystemSound(0);
    return true;
}

BOOL CALLBACK InvalidateSquare(HWND window, LPARAM element)
{
    TShape* shape = ShapeOfWindow(window);
    POINT at;
    if (shape && shape->Handle() == window &&
        shape->RootGroup().PlacementOf(reinterpret_cast<const TSystemIconElement*>(element), at)) {
        const int size = Scaled(TSystemIconElement::IconSize);
        RECT square{at.x, at.y, at.x + size, at.y + size};
        InvalidateRect(window, &square, TRUE);
    }
    return TRUE;
}

bool IsAsciiNo(const char* text)
{
    return (text[0] == 'N' || text[0] == 'n') && (text[1] == 'O' || text[1] == 'o') && text[2] == '\0';
}

} // namespace

TSystemIconElement::TSystemIconElement(int kind)
    : TElement(DockLeft, AlignTopCentred), kind(KnownKind(kind)), icon(nullptr), enabled(1), playedSound(0)
{
}

TSystemIconElement::~TSystemIconElement() = default;

SIZE TSystemIconElement::Measure(TShape*, HDC)
{
    if (!icon) icon = SystemIconHandle(kind);
    return Scaled(SIZE{IconSize, IconSize});
}

void TSystemIconElement::Place(TShape* shape, int, int)
{
    if (!shape) return;
    // The shared element may have been placed in a box that is gone; listen once.
    shape->RemoveShowHideListener(this);
    shape->AddShowHideListener(this);
}

void TSystemIconElement::Paint(TShape* shape, HDC dc)
{
    POINT position;
    if (!icon || !shape || !shape->RootGroup().PlacementOf(this, position)) return;
    const int oldMode = SetMapMode(dc, MM_TEXT);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, position.x, position.y, Scaled(IconSize), Scaled(IconSize),
               DST_ICON | (enabled ? 0 : DSS_DISABLED));
    SelectObject(dc, oldBrush);
    SetMapMode(dc, oldMode);
}

// The flag is the element's, so every open shape that shows it draws it anew.
void TSystemIconElement::Enable(bool flag)
{
    enabled = flag ? 1 : 0;
    EnumThreadWindows(GetCurrentThreadId(), &InvalidateSquare, reinterpret_cast<LPARAM>(this));
}

// The shape stops the sound when it closes, so only the first icon of a box starts one.
void TSystemIconElement::ShownChanged(TShape* shape, bool shown)
{
    if (shown) {
        if (shape->StopSoundOnClose()) return;
        if (PlayIconSound(this, false) || PlayIconSound(icon, false)) {
            playedSound = 1;
            shape->SetStopSoundOnClose(true);
        }
        return;
    }
    if (!playedSound) return;
    playedSound = 0;
    shape->SetStopSoundOnClose(false);
}

TSystemIconElement& SystemIconElement(int kind)
{
    static std::map<int, std::unique_ptr<TSystemIconElement>> elements; // owned for the whole run
    std::unique_ptr<TSystemIconElement>& element = elements[KnownKind(kind)];
    if (!element) element.reset(new TSystemIconElement(kind));
    return *element;
}

HICON SystemIconHandle(int kind)
{
    static std::map<int, HICON> icons; // borrowed from the icon cache
    HICON& icon = icons[KnownKind(kind)];
    if (!icon) icon = LoadKindIcon(KnownKind(kind));
    return icon;
}

bool PlayIconSound(const TSystemIconElement* element, bool force)
{
    return element ? PlayKind(element->Kind(), force) : false;
}

bool PlayIconSound(HICON icon, bool force)
{
    if (!icon) return false;
    const int kinds[] = {IconAsterisk, IconExclamation, IconHand, IconQuestion, IconCure, IconApplication};
    for (int kind : kinds)
        if (SystemIconHandle(kind) == icon) return PlayKind(kind, force);
    return PlayKind(IconWinLogo, force);
}

bool BeepSettingSilences(const char* value)
{
    return value && (std::strcmp(value, "いいえ") == 0 || IsAsciiNo(value));
}

bool BeepsSwitchedOff()
{
    TRegistryStore sound{{nullptr, HKEY_CURRENT_USER, "Control Panel\\Sound"}};
    THeapString beep;
    bool silenced = sound.OpenKeys() == ERROR_SUCCESS && sound.ReadString("Beep", beep) == ERROR_SUCCESS &&
                    BeepSettingSilences(beep);
    sound.CloseKeys();
    return silenced;
}
