// StringOperations: the free functions that build new heap strings from texts.
#pragma once

#include "foundation/HeapString.h"

// Positions and counts are bytes, not characters. Every function leaves its operands alone
// and returns a new string; a null text counts as the empty text.

THeapString Concat(const char* a, const char* b);
THeapString Concat(const char* a, int number);         // "%d"
THeapString Concat(const char* a, double number);      // "%lf"
THeapString Concat(const char* a, long double number); // "%Lf"
THeapString Concat(int number, const char* b);
THeapString Concat(double number, const char* b);
THeapString Concat(long double number, const char* b);

THeapString Left(const char* text, int n);
THeapString Right(const char* text, int n);
THeapString Mid(const char* text, int start, int n); // start is 1-based
THeapString MidFromEnd(const char* text, int fromEnd, int n);

THeapString RemoveAll(const char* text, const char* sub); // byte-wise, rescanning after each cut
THeapString Trimmed(const char* text);                   // without outer tabs, line breaks and spaces
THeapString Repeat(const char* text, int count);

// The last whole character, so a trail byte 0x5C never passes for a backslash.
THeapString LastChar(const char* text);
THeapString LastChar(const char* bytes, int length);

// Line `index` (0-based); with `withBreak` its line break too; with `ensureBreak` the result
// always ends in a line break, "\r\n" standing in for a line past the end.
THeapString GetLine(const char* text, int index, bool withBreak, bool ensureBreak);

// 'name' -> 'name 2', 'name 2' -> 'name 3'.
THeapString NextSerialName(const char* text);

// One display line: tabs and line breaks become spaces, and a text longer than `width`
// is cut near width - 2 bytes (never inside a character) and ends in "...".
THeapString Ellipsize(const char* text, int width);

// '+001,234.500' -> '1234.5'.
THeapString NormalizeNumber(const char* text);
// '1234.5678' -> '1,234.567,8'.
THeapString GroupDigits(const char* text);
