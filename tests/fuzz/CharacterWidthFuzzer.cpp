// Fuzzes the width and case conversions, DisplayText's quoted-part walk and TextMatch on arbitrary bytes.
#include "foundation/CharText.h"
#include "foundation/CharacterWidth.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Require(bool condition)
{
    if (!condition) __builtin_trap();
}

// One-byte characters that both directions pair up, so a round trip must give them back.
bool RoundTrips(unsigned char byte)
{
    return (byte >= 0x20 && byte <= 0x7E && byte != '`') || (byte >= 0xA1 && byte <= 0xDF);
}

void CheckWidth(const THeapString& text, unsigned fullMask, unsigned halfMask)
{
    const THeapString full = ToFullWidth(text, fullMask);
    const THeapString half = ToHalfWidth(text, halfMask);
    Require(full.Length() >= text.Length() && full.Length() <= 2 * text.Length());
    Require(half.Length() <= text.Length());
    Require(ToFullWidth(full, fullMask) == full);
    Require(ToHalfWidth(half, halfMask) == half);
    // Nothing changes outside the mask.
    Require(ToFullWidth(text, 0) == text && ToHalfWidth(text, 0) == text);

    std::string simple;
    for (int i = 0; i < text.Length(); ++i) {
        if (RoundTrips(text.Byte(i))) simple += static_cast<char>(text.Byte(i));
    }
    Require(ToHalfWidth(ToFullWidth(simple.c_str(), fullMask), fullMask) == simple.c_str());
}

void CheckCase(const THeapString& text)
{
    const THeapString upper = ToUpper(text);
    const THeapString lower = ToLower(text);
    Require(upper.Length() == text.Length() && lower.Length() == text.Length());
    Require(ToUpper(lower) == upper && ToLower(upper) == lower);
    const int length = upper.Length();
    for (int position = 0; position < length;) {
        const int step = CharLength(length - position, upper.Text() + position);
        if (step == 1) Require(!IsLowerChar(upper.Text()[position]));
        position += step;
    }
}

void CheckMatch(const THeapString& text, const THeapString& pattern, unsigned flags)
{
    const int length = text.Length();
    const int found = TextMatch(text, pattern, flags);
    Require(found == NoMatch || (found >= 0 && found <= length));
    if (!(flags & MatchEnabled)) Require(found == NoMatch);

    const int bytes = TextMatch(text, pattern, MatchEnabled | MatchFind | MatchBytes);
    const int chars = TextMatch(text, pattern, LibrarySearchFlags);
    const char* direct = std::strstr(text, pattern);
    Require(bytes == (direct ? static_cast<int>(direct - text.Text()) : NoMatch));
    if (chars != NoMatch) {
        Require(bytes != NoMatch && bytes <= chars);
        Require(std::memcmp(text.Text() + chars, pattern.Text(), static_cast<size_t>(pattern.Length())) == 0);
    }
    Require((TextMatch(text, pattern, MatchEnabled | MatchWhole) == 0) == (text == pattern));
    if (TextMatch(text, pattern, MatchEnabled | MatchPrefix) == 0) Require(chars == 0);
    const int suffix = TextMatch(text, pattern, MatchEnabled | MatchSuffix);
    if (suffix != NoMatch) Require(suffix == length - pattern.Length());
    // Case and width folding only ever find more.
    if (chars != NoMatch) {
        Require(TextMatch(text, pattern, LibrarySearchFlags | MatchIgnoreCase) != NoMatch);
    }
    Require(TextMatch(text, text, MatchEnabled | MatchWhole | MatchIgnoreWidth | MatchIgnoreCase) == 0);
}

void CheckQuotes(const THeapString& text, unsigned mask)
{
    Require(ConvertOutsideQuotes(text, ToFullWidth, 0) == text);
    Require(ConvertOutsideQuotes(text, ToHalfWidth, 0) == text);
    const THeapString full = ConvertOutsideQuotes(text, ToFullWidth, mask & ~WidthSymbols);
    Require(full.Length() >= text.Length());
}

// DisplayText's own conversion: kana in either direction, quoted parts copied byte for byte.
void CheckDisplayText(const THeapString& text)
{
    std::vector<std::string> quoted;
    const int length = text.Length();
    for (int position = 0; position < length;) {
        if (text.Byte(position) != '"') {
            position += CharLength(length - position, text.Text() + position);
            continue;
        }
        int close = position + 1;
        while (close < length && text.Byte(close) != '"') close += CharLength(length - close, text.Text() + close);
        if (close < length) ++close;
        quoted.emplace_back(text.Text() + position, static_cast<size_t>(close - position));
        position = close;
    }
    for (TWidthConversion conversion : {TWidthConversion(ToFullWidth), TWidthConversion(ToHalfWidth)}) {
        const std::string shown = ConvertOutsideQuotes(text, conversion, WidthKana).Text();
        if (quoted.empty()) Require(shown == conversion(text, WidthKana).Text());
        size_t from = 0;
        for (const std::string& part : quoted) {
            const size_t at = shown.find(part, from);
            Require(at != std::string::npos);
            from = at + part.size();
        }
        Require(ConvertOutsideQuotes(text, conversion, 0) == text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4 || size > 4096) return 0;
    const unsigned fullMask = data[0];
    const unsigned halfMask = data[1];
    const unsigned flags = (data[2] | data[3] << 8) & 0x3FF;
    // The text runs to the first NUL; the pattern follows it.
    const std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);
    const THeapString text(rest.c_str());
    const size_t patternStart = static_cast<size_t>(text.Length()) + 1;
    const THeapString pattern(patternStart < rest.size() ? rest.c_str() + patternStart : "");

    CheckWidth(text, fullMask, halfMask);
    CheckCase(text);
    CheckMatch(text, pattern, flags);
    CheckQuotes(text, fullMask);
    CheckDisplayText(text);
    return 0;
}
