// Fuzzes every routine that walks Shift-JIS text, and the string list's index operations.
#include "foundation/CharText.h"
#include "foundation/HeapStringList.h"
#include "foundation/StringOperations.h"

#include <algorithm>
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

bool EndsWith(const char* text, const char* tail)
{
    const size_t length = std::strlen(text);
    const size_t tailLength = std::strlen(tail);
    return length >= tailLength && std::memcmp(text + length - tailLength, tail, tailLength) == 0;
}

// Numbers from the input's header: small ones around the text's length, and some extremes.
int Number(uint8_t selector, int length)
{
    switch (selector % 8) {
    case 0: return INT32_MIN;
    case 1: return INT32_MAX;
    case 2: return -static_cast<int>(selector / 8);
    default: return length - 8 + static_cast<int>(selector / 8) % 24;
    }
}

void CheckStepping(const std::string& range)
{
    const int length = static_cast<int>(range.size());
    int position = 0;
    while (position < length) {
        const int step = CharLength(length - position, range.data() + position);
        Require(step == 1 || step == 2);
        position += step;
    }
    Require(position == length);
    const int lineLength = LineLength(length, range.data());
    const int span = LineSpan(length, range.data());
    Require(0 <= lineLength && lineLength <= span && span <= length && span - lineLength <= 2);
    Require(LineCount(length, range.data()) <= length);
    const THeapString last = LastChar(range.data(), length);
    Require(last.Length() <= 2);
}

void CheckLines(const THeapString& text, int index, bool withBreak, bool ensureBreak)
{
    const THeapString line = GetLine(text, index, withBreak, ensureBreak);
    if (ensureBreak) Require(!line.IsEmpty() && IsLineBreak(line.Text()[line.Length() - 1]));
    // The lines with their breaks put back together are the text.
    const int lines = LineCount(text.Length(), text);
    std::string rebuilt;
    for (int i = 0; i < lines && i < 64; ++i) rebuilt += GetLine(text, i, true, false).Text();
    if (lines <= 64) Require(rebuilt == text.Text());
}

void CheckCutting(const THeapString& text, int a, int b)
{
    const int length = text.Length();
    Require(Left(text, a).Length() <= std::max(0, std::min(a, length)));
    Require(Right(text, a).Length() <= length);
    Require(Mid(text, a, b).Length() <= length);
    Require(MidFromEnd(text, a, b).Length() <= length);
    const THeapString trimmed = Trimmed(text);
    Require(Trimmed(trimmed) == trimmed);
    const THeapString last = LastChar(text);
    Require(last == LastChar(text, length) && EndsWith(text, last));
    const THeapString shown = Ellipsize(text, a);
    const int64_t cutLimit = std::max<int64_t>(int64_t{a} - 2, 0) + 4;
    if (length > a) Require(EndsWith(shown, "...") && shown.Length() <= cutLimit);
    else Require(shown.Length() == length);
    const THeapString sub = Left(text, (b & 3) + 1);
    Require(std::strstr(RemoveAll(text, sub), sub) == nullptr || sub.IsEmpty());
    Require(Repeat(sub, b & 7).Length() == sub.Length() * std::max(0, b & 7));
}

void CheckNumbers(const THeapString& text)
{
    Require(NextSerialName(text) != text);
    const THeapString normal = NormalizeNumber(text);
    Require(NormalizeNumber(normal) == normal);
    Require(!GroupDigits(text).IsEmpty());
    (void)Concat(text, static_cast<int>(text.Length()));
}

void CheckList(const THeapString& text, const uint8_t* ops, size_t opCount)
{
    THeapStringList list;
    list.SplitCommaList(text);
    std::string joined;
    for (int i = 0; i < list.Count(); ++i) joined += std::string(i ? "," : "") + list.Item(i).Text();
    Require(joined == text.Text() || joined + "," == text.Text());
    while (list.Count() > 12) list.Delete(list.Count() - 1);

    for (size_t i = 0; i + 2 < opCount; i += 3) {
        const int count = list.Count();
        const int x = static_cast<int>(ops[i + 1] % 16) - 2;
        const int y = static_cast<int>(ops[i + 2] % 16) - 2;
        std::vector<std::string> before;
        for (int k = 0; k < count; ++k) before.push_back(list.Item(k).Text());
        switch (ops[i] % 5) {
        case 0: list.Insert(x, "n"); Require(list.Count() == count + 1); break;
        case 1: list.Delete(x); break;
        case 2: list.DeleteRange(x, y); break;
        case 3: list.Sort(x & 1); break;
        default: {
            list.MoveRange(x, y, static_cast<int>(ops[i] / 5 % 6) - 1);
            std::vector<std::string> after;
            for (int k = 0; k < list.Count(); ++k) after.push_back(list.Item(k).Text());
            std::sort(before.begin(), before.end());
            std::sort(after.begin(), after.end());
            Require(before == after);
        }
        }
        if (list.Count() > 0) Require(list.Find(list.Item(list.Count() - 1)) >= 0);
    }
    THeapStringList copy(list);
    copy.AppendList(list);
    Require(copy.Count() == 2 * list.Count());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4 || size > 4096) return 0;
    const std::string range(reinterpret_cast<const char*>(data) + 4, size - 4);
    const THeapString text(range.c_str()); // up to the first NUL; the rest feeds the list
    const int a = Number(data[0], text.Length());
    const int b = Number(data[1], text.Length());

    CheckStepping(range);
    CheckLines(text, data[2] % 8 == 7 ? a : data[2] % 8, data[3] & 1, data[3] & 2);
    CheckCutting(text, a, b);
    CheckNumbers(text);
    // The bytes after the first NUL, if any, drive the list operations.
    const size_t textEnd = static_cast<size_t>(text.Length());
    const uint8_t* ops = data + 4 + textEnd;
    const size_t opCount = textEnd < range.size() ? range.size() - textEnd - 1 : 0;
    CheckList(text, opCount > 0 ? ops + 1 : ops, std::min<size_t>(opCount, 60));
    return 0;
}
