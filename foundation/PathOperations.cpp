// PathOperations: Shift-JIS-aware splitting, resolving and picking apart of file paths.
#include "foundation/PathOperations.h"

#include "foundation/CharText.h"
#include "foundation/CommandLine.h"
#include "foundation/StringOperations.h"

#include <cstring>

namespace {

const char* OrEmpty(const char* text) { return text ? text : ""; }

int TextLength(const char* text) { return static_cast<int>(std::strlen(text)); }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int NextChar(const char* text, int length, int position)
{
    return position + CharLength(length - position, text + position);
}

// "C:\x", "C:" or the drive-relative "C:x".
bool HasDrive(const char* text) { return IsAlphaChar(text[0]) && text[1] == ':'; }

// "\\server" or "//server".
bool HasLeadingPair(const char* text) { return IsSeparator(text[0]) && text[1] == text[0]; }

bool IsUncPath(const char* text) { return text[0] == '\\' && text[1] == '\\'; }

bool EndsInSeparator(const char* text)
{
    THeapString last = LastChar(text);
    return last == "\\" || last == "/";
}

// Start of the first character at or after `from` that is `wanted`; `length` if none.
int FindChar(const char* text, int length, int from, char wanted)
{
    int position = from;
    while (position < length && text[position] != wanted) position = NextChar(text, length, position);
    return position;
}

// Start of the last character that is `wanted`, or -1.
int FindLastChar(const char* text, int length, char wanted)
{
    int found = -1;
    for (int position = 0; position < length; position = NextChar(text, length, position)) {
        if (text[position] == wanted) found = position;
    }
    return found;
}

// Collects path components; a drive, a server and its share are roots that ".." cannot remove.
class TComponentCollector {
public:
    explicit TComponentCollector(THeapStringList& list) : components(list) {}

    // `rooted`: the path begins with a single separator, so its first part is empty.
    void Add(const THeapString& part, bool isFirst, bool rooted)
    {
        if (isFirst) {
            roots = (rooted || HasDrive(part) || HasLeadingPair(part)) ? 1 : 0;
            shareFollows = HasLeadingPair(part);
            if (part.IsEmpty()) {
                if (rooted) components.Append(part);
                return;
            }
        }
        if (part.IsEmpty() || part == ".") return;
        if (part == "..") {
            AddParentStep();
            return;
        }
        components.Append(part);
        if (shareFollows) {
            shareFollows = false;
            roots = 2;
        }
    }

private:
    void AddParentStep()
    {
        int count = components.Count();
        if (count > roots && components.Item(count - 1) != "..") {
            components.Delete(count - 1);
        } else if (roots == 0) {
            components.Append("..");
        }
        // Above a root, ".." goes nowhere.
    }

    THeapStringList& components;
    int roots = 0;
    bool shareFollows = false; // the next part after "\\server" is its share
};

// Joins with backslashes; a leading "//" becomes "\\", a lone drive or root gets its backslash.
THeapString JoinComponents(const THeapStringList& components)
{
    const int count = components.Count();
    int total = 0;
    for (int i = 0; i < count; ++i) total += components.Item(i).Length() + 1;
    THeapString joined;
    char* out = joined.Reserve(total + 1);
    int written = 0;
    for (int i = 0; i < count; ++i) {
        const THeapString& part = components.Item(i);
        if (i > 0) out[written++] = '\\';
        std::memcpy(out + written, part.Text(), part.Length());
        if (i == 0 && HasLeadingPair(part)) out[0] = out[1] = '\\';
        written += part.Length();
    }
    if (count == 1) {
        const THeapString& only = components.Item(0);
        if (only.IsEmpty() || (HasDrive(only) && only.Length() == 2)) out[written++] = '\\';
    }
    out[written] = '\0';
    joined.Release();
    return joined;
}

// The path made absolute against the program's directory where it can be.
THeapString AgainstProgramDirectory(const char* path)
{
    if (HasDrive(path) || HasLeadingPair(path)) return THeapString(path);
    THeapString directory = DirectoryOf(ProgramPath());
    if (IsSeparator(path[0])) {
        // Rooted without a drive: on the program's drive or share.
        THeapString root = RootOf(directory);
        return root.IsEmpty() ? THeapString(path) : Concat(root, path + 1);
    }
    return Concat(directory, path);
}

} // namespace

void SplitPath(const char* path, THeapStringList& components)
{
    components.Clear();
    path = OrEmpty(path);
    const int length = TextLength(path);
    TComponentCollector collector(components);
    int start = 0;
    int position = HasLeadingPair(path) ? 2 : 0;
    bool isFirst = true;
    for (;;) {
        while (position < length && !IsSeparator(path[position])) position = NextChar(path, length, position);
        collector.Add(THeapString(path + start, position - start), isFirst, position == 0 && length > 0);
        isFirst = false;
        if (position >= length) break;
        start = ++position;
    }
}

THeapString FullPath(const char* path)
{
    THeapString absolute = AgainstProgramDirectory(OrEmpty(path));
    THeapStringList components;
    SplitPath(absolute, components);
    THeapString joined = JoinComponents(components);
    // A folder path keeps its closing backslash.
    if (!joined.IsEmpty() && EndsInSeparator(absolute) && LastChar(joined) != "\\") joined = Concat(joined, "\\");
    return joined;
}

THeapString RootOf(const char* path)
{
    path = OrEmpty(path);
    if (HasDrive(path)) return Concat(THeapString(path, 2), "\\");
    if (!IsUncPath(path)) return THeapString();
    const int length = TextLength(path);
    const int serverEnd = FindChar(path, length, 2, '\\');
    if (serverEnd == 2) return THeapString("\\\\");
    if (serverEnd >= length) return Concat(path, "\\");
    const int shareEnd = FindChar(path, length, serverEnd + 1, '\\');
    if (shareEnd == serverEnd + 1) return THeapString(path, serverEnd + 1);
    return Concat(THeapString(path, shareEnd), "\\");
}

THeapString DirectoryOf(const char* path)
{
    path = OrEmpty(path);
    return THeapString(path, FindLastChar(path, TextLength(path), '\\') + 1);
}

THeapString FileNameOf(const char* path)
{
    path = OrEmpty(path);
    return THeapString(path + FindLastChar(path, TextLength(path), '\\') + 1);
}

THeapString ExtensionOf(const char* path)
{
    path = OrEmpty(path);
    const int length = TextLength(path);
    int lastBackslash = -1;
    int lastDot = -1;
    for (int position = 0; position < length; position = NextChar(path, length, position)) {
        if (path[position] == '\\') lastBackslash = position;
        if (path[position] == '.') lastDot = position;
    }
    if (lastDot < 0 || lastDot < lastBackslash || lastDot + 1 >= length) return THeapString();
    return THeapString(path + lastDot + 1);
}

THeapString Quoted(const char* text)
{
    text = OrEmpty(text);
    if (text[0] == '"' && TextLength(text) >= 2 && LastChar(text) == "\"") return THeapString(text);
    return Concat(Concat("\"", text), "\"");
}

THeapString CommandPart(const char* text)
{
    const THeapString command = Trimmed(OrEmpty(text));
    const char* p = command.Text();
    const int length = command.Length();
    if (p[0] == '\\') {
        const int next = FindChar(p, length, 1, '\\');
        return next < length ? THeapString(p, next + 1) : command;
    }
    int blank = 0;
    while (blank < length && !IsBlank(p[blank])) blank = NextChar(p, length, blank);
    int after = blank;
    while (after < length && IsBlank(p[after])) after = NextChar(p, length, after);
    if (after < length && std::strchr("\\/:,;*?\"<>|", p[after]) != nullptr) return THeapString(p, blank);
    return command;
}
