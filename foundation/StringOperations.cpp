// StringOperations: texts cut, joined, trimmed and reshaped into new heap strings.
#include "foundation/StringOperations.h"

#include "foundation/CharText.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* Safe(const char* text) { return text ? text : ""; }

int TextLength(const char* text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

THeapString FromBuilder(const std::string& text)
{
    return THeapString(text.data(), static_cast<int>(text.size()));
}

THeapString Printed(int number)
{
    THeapString text;
    text.FormatSized(16, "%d", number);
    return text;
}

// Measured first: a double printed with "%lf" can run to hundreds of digits.
THeapString Printed(double number)
{
    THeapString text;
    text.FormatSized(std::snprintf(nullptr, 0, "%lf", number) + 1, "%lf", number);
    return text;
}

THeapString Printed(long double number)
{
    THeapString text;
    text.FormatSized(std::snprintf(nullptr, 0, "%Lf", number) + 1, "%Lf", number);
    return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsOneByteDigit(const char* at, int charLength) { return charLength == 1 && IsDigitChar(*at); }

// Position of the first one-byte `wanted`, stepping by characters; `length` if none.
int FindChar(const std::string& text, char wanted)
{
    const int length = static_cast<int>(text.size());
    int position = 0;
    while (position < length) {
        const int step = CharLength(length - position, text.data() + position);
        if (step == 1 && text[position] == wanted) return position;
        position += step;
    }
    return length;
}

// Adds one to a run of decimal digits of any length ('0099' -> '100').
std::string Incremented(const std::string& digits)
{
    const size_t significant = digits.find_first_not_of('0');
    std::string number = significant == std::string::npos ? "0" : digits.substr(significant);
    int position = static_cast<int>(number.size()) - 1;
    while (position >= 0 && number[position] == '9') number[position--] = '0';
    if (position < 0) number.insert(0, 1, '1');
    else ++number[position];
    return number;
}

// Start of the run of one-byte digits that ends `text`; `text.size()` if it ends otherwise.
int TrailingDigitsStart(const std::string& text)
{
    const int length = static_cast<int>(text.size());
    int runStart = length;
    int position = 0;
    while (position < length) {
        const int step = CharLength(length - position, text.data() + position);
        if (!IsOneByteDigit(text.data() + position, step)) runStart = length;
        else if (runStart == length) runStart = position;
        position += step;
    }
    return runStart;
}

int LeadingDigitsEnd(const std::string& text)
{
    const int length = static_cast<int>(text.size());
    int position = 0;
    while (position < length) {
        const int step = CharLength(length - position, text.data() + position);
        if (!IsOneByteDigit(text.data() + position, step)) break;
        ++position;
    }
    return position;
}

} // namespace

THeapString Concat(const char* a, const char* b)
{
    std::string joined(Safe(a));
    joined += Safe(b);
    return FromBuilder(joined);
}

THeapString Concat(const char* a, int number) { return Concat(a, Printed(number)); }
THeapString Concat(const char* a, double number) { return Concat(a, Printed(number)); }
THeapString Concat(const char* a, long double number) { return Concat(a, Printed(number)); }
THeapString Concat(int number, const char* b) { return Concat(Printed(number), b); }
THeapString Concat(double number, const char* b) { return Concat(Printed(number), b); }
THeapString Concat(long double number, const char* b) { return Concat(Printed(number), b); }

THeapString Left(const char* text, int n)
{
    const int length = TextLength(text);
    if (n < 0) n = 0;
    return THeapString(Safe(text), n < length ? n : length);
}

THeapString Right(const char* text, int n)
{
    const int length = TextLength(text);
    if (n < 0) n = 0;
    if (n > length) n = length;
    return THeapString(Safe(text) + length - n, n);
}

THeapString Mid(const char* text, int start, int n)
{
    const int length = TextLength(text);
    if (start < 1) start = 1;
    if (start > length) return THeapString();
    return Left(text + start - 1, n);
}

THeapString MidFromEnd(const char* text, int fromEnd, int n)
{
    const int length = TextLength(text);
    if (fromEnd < 0) fromEnd = 0;
    if (fromEnd > length) return THeapString();
    return Left(Safe(text) + length - fromEnd, n);
}

THeapString RemoveAll(const char* text, const char* sub)
{
    std::string result(Safe(text));
    const size_t subLength = std::strlen(Safe(sub));
    if (subLength == 0) return FromBuilder(result);
    // A cut can only make a new occurrence that reaches into the cut point, so rescanning
    // from just before it finds the same ones as rescanning from the start.
    size_t from = 0;
    size_t found;
    while ((found = result.find(sub, from)) != std::string::npos) {
        result.erase(found, subLength);
        from = found >= subLength - 1 ? found - (subLength - 1) : 0;
    }
    return FromBuilder(result);
}

THeapString Trimmed(const char* text)
{
    const char* bytes = Safe(text);
    const int length = TextLength(text);
    int start = 0;
    while (start < length && IsBlank(bytes[start])) start += CharLength(length - start, bytes + start);
    int end = start;
    for (int position = start; position < length;) {
        const int step = CharLength(length - position, bytes + position);
        if (!IsBlank(bytes[position])) end = position + step;
        position += step;
    }
    return THeapString(bytes + start, end - start);
}

THeapString Repeat(const char* text, int count)
{
    std::string result;
    if (TextLength(text) == 0) return THeapString();
    for (int i = 0; i < count; ++i) result += text;
    return FromBuilder(result);
}

THeapString LastChar(const char* text) { return LastChar(text, TextLength(text)); }

THeapString LastChar(const char* bytes, int length)
{
    if (!bytes || length <= 0) return THeapString();
    int start = 0;
    int step = 0;
    for (int position = 0; position < length; position += step) {
        start = position;
        step = CharLength(length - position, bytes + position);
    }
    return THeapString(bytes + start, step);
}

THeapString GetLine(const char* text, int index, bool withBreak, bool ensureBreak)
{
    const char* bytes = Safe(text);
    const int length = TextLength(text);
    const THeapString pastEnd(ensureBreak ? "\r\n" : "");
    int position = 0;
    for (int skipped = 0; skipped < index; ++skipped) {
        position += LineSpan(length - position, bytes + position);
        if (position >= length) return pastEnd;
    }
    const int lineLength = LineLength(length - position, bytes + position);
    const int span = LineSpan(length - position, bytes + position);
    THeapString line(bytes + position, withBreak ? span : lineLength);
    const bool endsInBreak = withBreak && span > lineLength;
    return ensureBreak && !endsInBreak ? Concat(line, "\r\n") : line;
}

THeapString NextSerialName(const char* text)
{
    const char* bytes = Safe(text);
    const int length = TextLength(text);
    int runStart = -1;           // start of the counted digits, -1 when none are running
    bool mayStartRun = true;     // at the start of the text or after a space
    for (int position = 0; position < length;) {
        const int step = CharLength(length - position, bytes + position);
        if (IsOneByteDigit(bytes + position, step) && (mayStartRun || runStart >= 0)) {
            if (runStart < 0) runStart = position;
        } else {
            runStart = -1;
        }
        mayStartRun = step == 1 && bytes[position] == ' ';
        position += step;
    }
    if (runStart < 0) return Concat(bytes, " 2");
    std::string next(bytes, static_cast<size_t>(runStart));
    next += Incremented(std::string(bytes + runStart, static_cast<size_t>(length - runStart)));
    return FromBuilder(next);
}

THeapString Ellipsize(const char* text, int width)
{
    std::string line(Safe(text));
    const int length = static_cast<int>(line.size());
    for (int position = 0; position < length;) {
        const int step = CharLength(length - position, line.data() + position);
        if (line[position] == '\t' || IsLineBreak(line[position])) {
            for (int i = 0; i < step; ++i) line[static_cast<size_t>(position + i)] = ' ';
        }
        position += step;
    }
    if (length <= width) return FromBuilder(line);
    const int cutFrom = width < 2 ? 0 : width - 2;
    int cut = 0;
    while (cut < cutFrom) cut += CharLength(length - cut, line.data() + cut);
    line.resize(static_cast<size_t>(cut));
    line += "...";
    return FromBuilder(line);
}

THeapString NormalizeNumber(const char* text)
{
    const char* bytes = Safe(text);
    const int length = TextLength(text);
    std::string number;
    for (int position = 0; position < length;) {
        const int step = CharLength(length - position, bytes + position);
        if (step != 1 || bytes[position] != ',') number.append(bytes + position, static_cast<size_t>(step));
        position += step;
    }

    size_t start = 0;
    if (number.size() >= 2 && number[0] == '+' && IsDigitChar(number[1])) start = 1;
    while (start + 1 < number.size() && number[start] == '0' && IsDigitChar(number[start + 1])) ++start;
    number.erase(0, start);

    const int point = FindChar(number, '.');
    const int numberLength = static_cast<int>(number.size());
    if (point < numberLength) {
        int keepEnd = point + 1;
        for (int position = point + 1; position < numberLength;) {
            const int step = CharLength(numberLength - position, number.data() + position);
            if (step != 1 || number[position] != '0') keepEnd = position + step;
            position += step;
        }
        number.resize(static_cast<size_t>(keepEnd == point + 1 ? point : keepEnd));
        // '.000' would otherwise leave nothing at all of a number that is zero.
        if (number.empty()) number = "0";
    }
    if (!number.empty() && number[0] == '.') number.insert(0, 1, '0');
    return FromBuilder(number);
}

THeapString GroupDigits(const char* text)
{
    const THeapString normal = NormalizeNumber(text);
    const std::string number(normal.Text());
    const int point = FindChar(number, '.');
    std::string integer = number.substr(0, static_cast<size_t>(point));
    if (integer.empty()) integer = "0";

    const int digitsStart = TrailingDigitsStart(integer);
    const int digitCount = static_cast<int>(integer.size()) - digitsStart;
    std::string grouped = integer.substr(0, static_cast<size_t>(digitsStart));
    for (int i = 0; i < digitCount; ++i) {
        if (i > 0 && (digitCount - i) % 3 == 0) grouped += ',';
        grouped += integer[static_cast<size_t>(digitsStart + i)];
    }

    if (point < static_cast<int>(number.size())) {
        const std::string fraction = number.substr(static_cast<size_t>(point) + 1);
        const int fractionDigits = LeadingDigitsEnd(fraction);
        grouped += '.';
        for (int i = 0; i < fractionDigits; ++i) {
            if (i > 0 && i % 3 == 0) grouped += ',';
            grouped += fraction[static_cast<size_t>(i)];
        }
        grouped += fraction.substr(static_cast<size_t>(fractionDigits));
    }
    return FromBuilder(grouped);
}
