// ComboCompletion: prefix matching and the longest shared beginning of history entries.
#include "filelists/ComboCompletion.h"

#include <cstring>

#include "foundation/CharText.h"
#include "foundation/CharacterWidth.h"

namespace {

const unsigned caseBlind = MatchEnabled | MatchChars | MatchIgnoreCase;

// Bytes at the start of `a` and `b` that are the same whole characters.
int AgreeingBytes(const char* a, const char* b)
{
    const int lengthA = static_cast<int>(std::strlen(a));
    const int lengthB = static_cast<int>(std::strlen(b));
    int at = 0;
    while (at < lengthA && at < lengthB) {
        const int unit = CharLength(lengthA - at, a + at);
        if (unit != CharLength(lengthB - at, b + at) || std::memcmp(a + at, b + at, unit) != 0) break;
        at += unit;
    }
    return at;
}

} // namespace

bool EqualsNoCase(const char* a, const char* b) { return TextMatch(a, b, caseBlind | MatchWhole) == 0; }

bool StartsWithNoCase(const char* text, const char* prefix)
{
    return TextMatch(text, prefix, caseBlind | MatchPrefix) == 0;
}

THeapString CommonCompletion(const THeapStringList& history, const char* typed)
{
    THeapString common;
    bool first = true;
    for (int i = 0; i < history.Count(); ++i) {
        const THeapString& entry = history.Item(i);
        if (!StartsWithNoCase(entry, typed)) continue;
        if (first) {
            common = entry;
            first = false;
        } else {
            common = THeapString(common.Text(), AgreeingBytes(common, entry));
        }
    }
    return common;
}

THeapString CompletedText(const THeapStringList& history, const char* typed)
{
    const THeapString common = CommonCompletion(history, typed);
    const int typedLength = static_cast<int>(std::strlen(typed));
    if (common.Length() <= typedLength) return THeapString(typed);
    THeapString whole;
    whole.FormatSized(common.Length() + 1, "%s%s", typed, common.Text() + typedLength);
    return whole;
}

int MatchingEntry(const THeapStringList& history, const char* text)
{
    for (int i = 0; i < history.Count(); ++i)
        if (history.Item(i) == text) return i;
    for (int i = 0; i < history.Count(); ++i)
        if (EqualsNoCase(history.Item(i), text)) return i;
    return -1;
}
