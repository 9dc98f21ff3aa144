// Command-line parsing: raw words, switches with ":" values, unquoted paths with blanks.
#include "foundation/CommandLine.h"

#include "foundation/CharText.h"
#include "foundation/StringOperations.h"

#include <cstring>

namespace {

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int TextLength(const char* text) { return static_cast<int>(std::strlen(text)); }

// End of a quoted run that starts at `open` (a double quote): just after the closing
// quote, or the end of the text when the quote is never closed.
int QuotedRunEnd(const char* text, int length, int open)
{
    int position = open + 1;
    while (position < length) {
        if (text[position] == '"') return position + 1;
        position += CharLength(length - position, text + position);
    }
    return length;
}

bool ContainsChar(const char* text, char wanted)
{
    int length = TextLength(text);
    for (int position = 0; position < length; position += CharLength(length - position, text + position)) {
        if (text[position] == wanted) return true;
    }
    return false;
}

// A following raw word that starts a new argument instead of continuing an unquoted path.
bool StartsNewArgument(const THeapString& word)
{
    const char* text = word.Text();
    return text[0] == '/' || text[0] == '"' || ContainsChar(text, ':') || (text[0] == '\\' && text[1] == '\\');
}

// Where Trimmed(text without its leading and trailing double quotes, Trimmed) lies in
// [begin, end) of `text`.
void InnerPlace(const char* text, int& begin, int& end)
{
    const auto trim = [text, &begin, &end] {
        while (begin < end && IsBlankByte(text[begin])) ++begin;
        int kept = begin;
        for (int position = begin; position < end;) {
            const int step = CharLength(end - position, text + position);
            if (!IsBlankByte(text[position])) kept = position + step;
            position += step;
        }
        end = kept;
    };
    trim();
    while (begin < end && text[begin] == '"') ++begin;
    while (end > begin && text[end - 1] == '"') --end;
    trim();
}

// The switch name is its text up to the first ":"; compared without regard to ASCII case.
bool SwitchNameEquals(const char* switchText, const char* name)
{
    int nameLength = TextLength(name);
    int length = TextLength(switchText);
    int position = 0;
    while (position < length && switchText[position] != ':') {
        position += CharLength(length - position, switchText + position);
    }
    if (position != nameLength) return false;
    for (int i = 0; i < nameLength; ++i) {
        char a = switchText[i];
        char b = name[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

} // namespace

THeapString Unquoted(const char* text)
{
    int length = TextLength(text);
    if (length >= 2 && text[0] == '"' && text[length - 1] == '"') return THeapString(text + 1, length - 2);
    return THeapString(text);
}

void CutRawWords(const char* text, THeapStringList& words)
{
    words.Clear();
    int length = TextLength(text);
    int start = 0;
    int position = 0;
    int runIsBlank = -1; // -1: nothing in the current word yet
    while (position < length) {
        if (text[position] == '"') {
            if (position > start) words.Append(THeapString(text + start, position - start));
            int end = QuotedRunEnd(text, length, position);
            words.Append(THeapString(text + position, end - position));
            start = position = end;
            runIsBlank = -1;
            continue;
        }
        int blank = IsBlankByte(text[position]) ? 1 : 0;
        if (runIsBlank != -1 && blank != runIsBlank) {
            words.Append(THeapString(text + start, position - start));
            start = position;
        }
        runIsBlank = blank;
        position += CharLength(length - position, text + position);
    }
    if (position > start) words.Append(THeapString(text + start, position - start));
}

void TCommandLine::Clear()
{
    programPath = "";
    arguments.Clear();
    argumentPlaces.clear();
    switches.Clear();
}

void TCommandLine::ReplaceArguments(const THeapStringList& replacement)
{
    arguments = replacement;
    argumentPlaces.assign(static_cast<size_t>(arguments.Count()), std::pair<int, int>(0, 0));
}

void TCommandLine::Parse(const char* text)
{
    Clear();
    const char* line = text ? text : "";
    THeapStringList rawWords;
    CutRawWords(Trimmed(line), rawWords);
    if (rawWords.Count() == 0) return;
    // The raw words cut the trimmed text without a gap, so each one's place follows from the lengths.
    int lead = 0;
    while (IsBlankByte(line[lead])) ++lead;
    const int firstOffset = lead + rawWords.Item(0).Length();
    programPath = Unquoted(Trimmed(rawWords.Item(0)));
    rawWords.Delete(0);
    TakeWords(line, rawWords, firstOffset);
}

void TCommandLine::TakeWords(const char* text, const THeapStringList& rawWords, int firstOffset)
{
    int count = rawWords.Count();
    int next = 0;
    int offset = firstOffset; // of raw word `next`
    const auto take = [&] {
        THeapString taken = rawWords.Item(next++);
        offset += taken.Length();
        return taken;
    };
    while (next < count) {
        const int begin = offset;
        THeapString word = take();
        if (Trimmed(word).IsEmpty()) continue;
        if (word.Text()[0] == '/') {
            if (LastChar(word) == ":" && next < count && !Trimmed(rawWords.Item(next)).IsEmpty()) {
                word = Concat(word, take());
            }
            switches.Append(Trimmed(word));
            continue;
        }
        if (word.Text()[0] != '"') {
            while (next < count && !StartsNewArgument(rawWords.Item(next))) take();
        }
        int argumentBegin = begin, argumentEnd = offset;
        InnerPlace(text, argumentBegin, argumentEnd);
        arguments.Append(THeapString(text + argumentBegin, argumentEnd - argumentBegin));
        argumentPlaces.emplace_back(argumentBegin, argumentEnd);
    }
}

// The program path with its extension replaced by ".HLP". Only a "." in the file name
// counts: a dot in a folder name must not cut the path short.
THeapString TCommandLine::HelpFilePath() const
{
    const char* text = programPath.Text();
    int length = programPath.Length();
    int lastDot = -1;
    for (int position = 0; position < length; position += CharLength(length - position, text + position)) {
        if (text[position] == '.') lastDot = position;
        if (text[position] == '\\' || text[position] == '/') lastDot = -1;
    }
    THeapString stem = lastDot < 0 ? programPath : THeapString(text, lastDot);
    return Concat(stem, ".HLP");
}

int TCommandLine::FindSwitch(const char* name) const
{
    for (int i = 0; i < switches.Count(); ++i) {
        if (SwitchNameEquals(switches.Item(i), name)) return i;
    }
    return -1;
}

THeapString TCommandLine::SwitchValue(int index) const
{
    const THeapString& text = switches.Item(index);
    int length = text.Length();
    for (int position = 0; position < length; position += CharLength(length - position, text.Text() + position)) {
        if (text.Text()[position] == ':') return THeapString(text.Text() + position + 1);
    }
    return THeapString();
}

TCommandLine& ProcessCommandLine()
{
    static TCommandLine commandLine;
    return commandLine;
}

THeapString ProgramPath() { return ProcessCommandLine().ProgramPath(); }
THeapString HelpFilePath() { return ProcessCommandLine().HelpFilePath(); }
int ArgumentCount() { return ProcessCommandLine().ArgumentCount(); }
THeapString Argument(int index) { return ProcessCommandLine().Argument(index); }
int FindSwitch(const char* name) { return ProcessCommandLine().FindSwitch(name); }
THeapString SwitchValue(int index) { return ProcessCommandLine().SwitchValue(index); }
