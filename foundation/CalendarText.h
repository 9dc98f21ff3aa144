// CalendarText: the names and numerals that dates and times are written with.
#pragma once

#include "foundation/HeapString.h"

// Names by index; an index out of range gives a quoted "unidentified" text, never null.
const char* EnglishMonthName(int month);          // 1-12
const char* EnglishWeekdayName(int dayOfWeek);    // 0-6, 0 = Sunday
const char* JapaneseMonthName(int month);         // 1-12, the traditional names
const char* JapaneseWeekdayName(int dayOfWeek);   // 0-6, one kanji
const char* TwoHourPeriodName(int period);        // 0-11, the zodiac hours; "" out of range

// Each ASCII digit of `text` as a full-width digit (two bytes); other bytes are kept.
THeapString FullWidthDigits(const char* text);

// Kanji numeral: 0 is 零, 21 is 二十一, 105 is 百五, 2000 is 二千. Beyond 9999 the groups
// of four digits carry 万, 億, 兆 and 京 (10000 is 一万); a negative value gets a leading －.
THeapString KanjiNumeral(long long value);
