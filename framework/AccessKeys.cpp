// AccessKeys: measuring texts and the two-pass assignment of access keys to captions.
#include "framework/AccessKeys.h"

#include "foundation/CharText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Where a caption's marker lies: the opening "&" at `open`, the closing one at `close`;
// both -1 when the caption has no complete marker.
struct TMarker {
    int open = -1;
    int close = -1;
    bool Complete() const { return close >= 0; }
};

// The next "&" at or after `from`, stepping by whole characters so that a trail byte
// never counts; -1 when there is none.
int FindAmpersand(const char* text, int length, int from)
{
    int position = from;
    while (position < length) {
        if (text[position] == '&') return position;
        position += CharLength(length - position, text + position);
    }
    return -1;
}

TMarker FindMarker(const char* text, int length)
{
    TMarker marker;
    const int open = FindAmpersand(text, length, 0);
    if (open < 0) return marker;
    const int close = FindAmpersand(text, length, open + 1);
    if (close < 0) return marker;
    marker.open = open;
    marker.close = close;
    return marker;
}

bool InParentheses(const char* text, int length, const TMarker& marker)
{
    return marker.open > 0 && text[marker.open - 1] == '(' && marker.close + 1 < length &&
           text[marker.close + 1] == ')';
}

// A caption being worked on: its text split around the marker and the candidates still open.
struct TKeyCaption {
    THeapString* caption;   // borrowed: rewritten in place
    std::string prefix;
    std::string suffix;
    std::string candidates; // empty once a key is given, or when there is no marker
    bool parenthesised = false;
};

TKeyCaption SplitCaption(THeapString* caption)
{
    TKeyCaption item;
    item.caption = caption;
    const std::string text(caption->Text());
    const int length = static_cast<int>(text.size());
    const TMarker marker = FindMarker(text.c_str(), length);
    if (!marker.Complete()) return item;
    item.prefix = text.substr(0, marker.open);
    item.suffix = text.substr(marker.close + 1);
    item.candidates = text.substr(marker.open + 1, marker.close - marker.open - 1);
    item.parenthesised = InParentheses(text.c_str(), length, marker);
    return item;
}

void GiveKey(TKeyCaption& item, char key)
{
    const std::string text = item.prefix + "&" + key + item.suffix;
    *item.caption = text.c_str();
    item.candidates.clear();
}

// No letter is left: the marker goes, with its parentheses when it has them.
void DropMarker(TKeyCaption& item)
{
    std::string text;
    if (item.parenthesised) {
        text = item.prefix.substr(0, item.prefix.size() - 1) + item.suffix.substr(1);
    } else {
        text = item.prefix + item.suffix;
    }
    *item.caption = text.c_str();
    item.candidates.clear();
}

// A lead byte standing alone before the suffix would swallow the suffix's first byte.
bool UsableKey(unsigned char byte) { return !IsLeadByte(byte); }

class TKeySet {
public:
    bool Has(unsigned char key) const { return used[key]; }
    void Add(unsigned char key)
    {
        if (!used[key]) ++count;
        used[key] = true;
    }
    int Count() const { return count; }

private:
    bool used[256] = {};
    int count = 0;
};

void AssignByPosition(std::vector<TKeyCaption>& items, TKeySet& used)
{
    size_t longest = 0;
    for (const TKeyCaption& item : items) longest = std::max(longest, item.candidates.size());
    for (size_t i = 0; i < longest; ++i) {
        bool anyCandidate = false;
        for (TKeyCaption& item : items) {
            if (item.candidates.size() <= i) continue;
            anyCandidate = true;
            const unsigned char key = static_cast<unsigned char>(item.candidates[i]);
            if (used.Has(key) || !UsableKey(key)) continue;
            used.Add(key);
            GiveKey(item, static_cast<char>(key));
        }
        if (!anyCandidate || used.Count() >= static_cast<int>(items.size())) return;
    }
}

void AssignFallbackLetters(std::vector<TKeyCaption>& items, TKeySet& used)
{
    char letter = 'A';
    for (TKeyCaption& item : items) {
        if (item.candidates.empty()) continue;
        while (letter <= 'Z' && used.Has(static_cast<unsigned char>(letter))) ++letter;
        if (letter <= 'Z') {
            used.Add(static_cast<unsigned char>(letter));
            GiveKey(item, letter);
        } else {
            DropMarker(item);
        }
    }
}

} // namespace

THeapString AccessKeyMeasuringText(bool keysAssigned, const char* caption)
{
    const std::string text(caption ? caption : "");
    if (keysAssigned) return THeapString(text.c_str());
    const int length = static_cast<int>(text.size());
    const TMarker marker = FindMarker(text.c_str(), length);
    if (!marker.Complete()) return THeapString(text.c_str());
    const std::string prefix = text.substr(0, marker.open);
    const std::string suffix = text.substr(marker.close + 1);
    if (marker.close > marker.open + 1) {
        // The widest capital stands in for the key; the "&" before the suffix takes no width.
        return THeapString((prefix + "W&" + suffix).c_str());
    }
    if (InParentheses(text.c_str(), length, marker)) {
        return THeapString((prefix.substr(0, prefix.size() - 1) + suffix.substr(1)).c_str());
    }
    return THeapString((prefix + suffix).c_str());
}

void AssignAccessKeys(THeapString* const* captions, int count)
{
    if (!captions || count <= 0) return;
    std::vector<TKeyCaption> items;
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (captions[i]) items.push_back(SplitCaption(captions[i]));
    }
    TKeySet used;
    AssignByPosition(items, used);
    AssignFallbackLetters(items, used);
}
