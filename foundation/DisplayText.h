// DisplayText: the katakana-width conversion every shown or logged text of the library passes through.
#pragma once

#include <windows.h>

#include "foundation/CharacterWidth.h"
#include "foundation/RegistryStore.h"

// The conversion for a "FontStyle" setting: 1 half-width, any other non-zero value full-width;
// without a setting (missing or 0) full-width unless the taskbar is an old one without a rebar.
TWidthConversion ConversionForFontStyle(bool styleSet, DWORD style);

// Reads "FontStyle" from the section "View" of `libraryStore` now, without remembering it.
TWidthConversion ReadDisplayConversion(const TRegistryStore& libraryStore);

// The conversion read from the library store on first use and kept for the rest of the run.
TWidthConversion DisplayConversion();

// Katakana and kana punctuation set to the chosen width; double-quoted parts (file names and
// the like) are left exactly as they are.
THeapString DisplayText(const char* text);
THeapString DisplayText(const char* text, TWidthConversion conversion);

// For callers that go by the system version alone: full-width above 4.10.1997.
TWidthConversion ConversionForSystemVersion();
