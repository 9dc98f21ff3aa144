// FileFilter: walking a filter block for its extensions and for the pair to preselect.
#include "filelists/FileFilter.h"

#include <cstring>

#include "foundation/CharText.h"

namespace {

const char variousKinds[] = "\x8A\x65\x8E\xED"; // "various kinds" in Shift-JIS
const char allFiles[] = "*.*";

// Steps through the strings of a block without reading past its end.
class TBlockReader {
public:
    TBlockReader(const char* block, int size) : at(block), left(block ? size : 0) {}
    // The next string (cut at the block's end); false at the terminating empty string or end.
    bool Next(THeapString& text)
    {
        if (left <= 0 || *at == '\0') return false;
        int length = 0;
        while (length < left && at[length] != '\0') ++length;
        text = Slice(at, length);
        const int used = length < left ? length + 1 : length;
        at += used;
        left -= used;
        return true;
    }

private:
    static THeapString Slice(const char* text, int length)
    {
        THeapString result;
        result.FormatSized(length + 1, "%.*s", length, text);
        return result;
    }
    const char* at;
    int left;
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameAt(const char* text, const char* sub, int length)
{
    for (int i = 0; i < length; ++i)
        if (Lower(text[i]) != Lower(sub[i])) return false;
    return true;
}

// `sub` occurs at a character boundary of `text`, and when `whole` also followed by ";" or
// the end. Two-byte characters are stepped over whole.
bool Contains(const char* text, const char* sub, bool whole)
{
    const int total = static_cast<int>(std::strlen(text));
    const int length = static_cast<int>(std::strlen(sub));
    for (int i = 0; i + length <= total; i += CharLength(total - i, text + i)) {
        if (!SameAt(text + i, sub, length)) continue;
        const char after = text[i + length];
        if (!whole || after == '\0' || after == ';') return true;
    }
    return false;
}

void AppendExtensions(const char* pattern, THeapStringList& out)
{
    const char* part = pattern;
    for (;;) {
        const char* end = std::strchr(part, ';');
        const int length = end ? static_cast<int>(end - part) : static_cast<int>(std::strlen(part));
        int dot = -1;
        for (int i = 0; i < length; ++i)
            if (part[i] == '.') dot = i; // '.' is never a trail byte in Shift-JIS
        if (dot >= 0) {
            THeapString extension;
            extension.FormatSized(length - dot, "%.*s", length - dot - 1, part + dot + 1);
            out.Append(extension);
        }
        if (!end) return;
        part = end + 1;
    }
}

} // namespace

void FilterExtensions(const char* block, int size, THeapStringList& out)
{
    out.Clear();
    TBlockReader reader(block, size);
    THeapString description, pattern;
    while (reader.Next(description) && reader.Next(pattern)) AppendExtensions(pattern, out);
}

bool ExtensionListed(const char* extension, const THeapStringList& extensions)
{
    const int length = static_cast<int>(std::strlen(extension));
    for (int i = 0; i < extensions.Count(); ++i) {
        const THeapString& listed = extensions.Item(i);
        if (listed.Length() == length && SameAt(listed, extension, length)) return true;
    }
    return false;
}

int FilterIndexFor(const char* block, int size, const char* extension)
{
    const bool haveExtension = extension && *extension;
    TBlockReader reader(block, size);
    THeapString description, pattern;
    int pairs = 0, firstAll = 0, lastVarious = 0;
    bool endedAfterDescription = false;
    while (reader.Next(description)) {
        if (!reader.Next(pattern)) {
            endedAfterDescription = true;
            break;
        }
        ++pairs;
        if (haveExtension && Contains(pattern, extension, true)) return pairs;
        if (!firstAll && Contains(pattern, allFiles, true)) firstAll = pairs;
        if (Contains(description, variousKinds, false)) lastVarious = pairs;
    }
    if (!haveExtension && lastVarious) return lastVarious;
    if (firstAll) return firstAll;
    if (endedAfterDescription || pairs == 0) return 1;
    return pairs;
}
