// CharText: the one rule for stepping through Shift-JIS text, byte classes and line helpers.
#pragma once

// Every stored and displayed text of the system is Shift-JIS, whatever the code page of the
// running system, so the lead-byte set is fixed rather than asked of the system.
bool IsLeadByte(unsigned char byte);
bool IsTrailByte(unsigned char byte);

// Bytes taken by the character at `position`, `remaining` being the bytes left from there:
// a two-byte character or a CR LF / LF CR pair is one unit of 2, anything else 1, and
// never more than `remaining` (0 when nothing is left).
int CharLength(int remaining, const char* position);

// ASCII classes of one byte; a byte above 0x7F never matches.
bool IsDigitChar(char c);
bool IsHexDigitChar(char c);
bool IsUpperChar(char c);
bool IsLowerChar(char c);
bool IsAlphaChar(char c);
bool IsIdentifierChar(char c);
bool IsLineBreak(char c);
bool IsNotControl(char c); // false only for tab, line feed and carriage return

// Line helpers on a byte range that may also end early at a NUL.
int LineLength(int length, const char* text); // bytes before the first line break
int LineSpan(int length, const char* text);   // the line with the break that ends it
int LineCount(int length, const char* text);  // lines that start within the range
