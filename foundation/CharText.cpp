// CharText: Shift-JIS character stepping, byte classes and line measuring.
#include "foundation/CharText.h"

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) { return byte >= 0x01 && byte <= 0xFE; }

int CharLength(int remaining, const char* position)
{
    if (remaining < 2) return remaining < 0 ? 0 : remaining;
    const unsigned char first = static_cast<unsigned char>(position[0]);
    const unsigned char second = static_cast<unsigned char>(position[1]);
    if (IsLeadByte(first) && IsTrailByte(second)) return 2;
    if ((first == '\r' && second == '\n') || (first == '\n' && second == '\r')) return 2;
    return 1;
}

bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigitChar(char c) { return IsDigitChar(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool IsUpperChar(char c) { return c >= 'A' && c <= 'Z'; }

bool IsLowerChar(char c) { return c >= 'a' && c <= 'z'; }

bool IsAlphaChar(char c) { return IsUpperChar(c) || IsLowerChar(c); }

bool IsIdentifierChar(char c) { return IsAlphaChar(c) || IsDigitChar(c) || c == '_'; }

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

bool IsNotControl(char c) { return c != '\t' && !IsLineBreak(c); }

int LineLength(int length, const char* text)
{
    int position = 0;
    while (position < length && text[position] != '\0' && !IsLineBreak(text[position])) {
        position += CharLength(length - position, text + position);
    }
    return position;
}

int LineSpan(int length, const char* text)
{
    const int line = LineLength(length, text);
    if (line >= length || !IsLineBreak(text[line])) return line;
    return line + CharLength(length - line, text + line);
}

int LineCount(int length, const char* text)
{
    int lines = 0;
    int position = 0;
    while (position < length && text[position] != '\0') {
        ++lines;
        position += LineSpan(length - position, text + position);
    }
    return lines;
}
