// CharacterWidth: full-width / half-width conversion of Shift-JIS text, letter case and text matching.
#pragma once

#include <cstdint>

#include "foundation/HeapString.h"

// Character classes that a width conversion touches (the mask of both directions).
constexpr unsigned WidthDigits = 0x01;  // "0"-"9" and the full-width digits
constexpr unsigned WidthUpper = 0x02;   // "A"-"Z" and the full-width capitals
constexpr unsigned WidthLower = 0x04;   // "a"-"z" and the full-width small letters
constexpr unsigned WidthKana = 0x08;    // half-width katakana and kana punctuation, voiced pairs too
constexpr unsigned WidthSymbols = 0x10; // space and ASCII symbols, and the half-width corner brackets
constexpr unsigned WidthAll = 0xFFFF;

// Every text is walked by whole characters, so a trail byte is never converted on its own.
// A null text counts as the empty text.
THeapString ToFullWidth(const char* text, unsigned mask);
THeapString ToHalfWidth(const char* text, unsigned mask);
// The one-argument forms convert every class.
THeapString ToFullWidth(const THeapString& text);
THeapString ToHalfWidth(const THeapString& text);

// ASCII and full-width Latin letters change case; everything else is copied.
THeapString ToUpper(const char* text);
THeapString ToLower(const char* text);

// Flags of TextMatch.
constexpr unsigned MatchBytes = 0x01;        // find at any byte position
constexpr unsigned MatchChars = 0x02;        // find at character boundaries (also without either bit)
constexpr unsigned MatchEnabled = 0x08;      // without it nothing matches
constexpr unsigned MatchWhole = 0x10;        // the whole texts are equal
constexpr unsigned MatchFind = 0x20;         // the first occurrence of the pattern
constexpr unsigned MatchPrefix = 0x40;       // the text begins with the pattern
constexpr unsigned MatchSuffix = 0x80;       // the text ends with the pattern
constexpr unsigned MatchIgnoreCase = 0x100;  // both compared in upper case
constexpr unsigned MatchIgnoreWidth = 0x200; // both compared in half-width form
constexpr unsigned LibrarySearchFlags = MatchEnabled | MatchFind | MatchChars; // 0x2A
constexpr int NoMatch = -1;

// The byte position in `text` where `pattern` matches, or NoMatch. The kinds are tried in the
// order whole, find, prefix, suffix; only the first one set counts. Positions always refer to
// `text` itself, also when MatchIgnoreWidth compared converted copies of different length.
int TextMatch(const char* text, const char* pattern, unsigned flags);

// A width conversion, for callers that choose one direction at run time.
using TWidthConversion = THeapString (*)(const char* text, unsigned mask);

// Full-width above system version 4.10.1997 (major << 24 | minor << 16 | build), else half-width.
TWidthConversion ConversionForVersion(std::uint32_t version);

// Converts everything except double-quoted parts (quotes included, an unclosed one running
// to the end), which are copied as they are: they hold names that must stay as typed.
THeapString ConvertOutsideQuotes(const char* text, TWidthConversion conversion, unsigned mask);
