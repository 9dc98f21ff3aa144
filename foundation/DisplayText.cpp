// DisplayText: chooses the katakana width once per process and applies it outside quoted parts.
#include "foundation/DisplayText.h"

#include "foundation/GlobalStores.h"
#include "foundation/RegValue.h"
#include "foundation/RegistrySection.h"
#include "foundation/SystemChecks.h"

namespace {

constexpr DWORD HalfWidthStyle = 1;

// Only a taskbar that exists and lacks a rebar marks an old shell. A missing taskbar (a logon
// start before the shell is up, or no shell at all) gives no such evidence, so it counts as new.
bool IsOldShell()
{
    static const bool oldShell = FindWindowA("Shell_TrayWnd", nullptr) != nullptr && !HasRebarTaskbar();
    return oldShell;
}

} // namespace

TWidthConversion ConversionForFontStyle(bool styleSet, DWORD style)
{
    if (styleSet && style == HalfWidthStyle) return ToHalfWidth;
    if (styleSet && style != 0) return ToFullWidth;
    if (IsOldShell()) return ToHalfWidth;
    return ToFullWidth;
}

TWidthConversion ReadDisplayConversion(const TRegistryStore& libraryStore)
{
    TRegistrySection view(libraryStore, "View");
    TRegDwordValue fontStyle(view.Store(), "FontStyle");
    const bool styleSet = fontStyle.Exists();
    return ConversionForFontStyle(styleSet, styleSet ? fontStyle.Get() : 0);
}

TWidthConversion DisplayConversion()
{
    static TWidthConversion chosen = nullptr;
    if (chosen) return chosen;
    const TWidthConversion conversion = ReadDisplayConversion(LibraryStore());
    // A text shown before the process entry made the store must not fix the choice for good.
    if (LibraryStore().Count() > 0) chosen = conversion;
    return conversion;
}

THeapString DisplayText(const char* text) { return DisplayText(text, DisplayConversion()); }

THeapString DisplayText(const char* text, TWidthConversion conversion)
{
    return ConvertOutsideQuotes(text, conversion, WidthKana);
}

TWidthConversion ConversionForSystemVersion() { return ConversionForVersion(SystemVersion()); }
