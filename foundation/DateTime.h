// DateTime: the date and time values, their comparisons, and the token formatters that
// write them in Western or Japanese style.
#pragma once

#include "foundation/Calendar.h"
#include "foundation/HeapString.h"

struct TDate {
    int year;  // signed Western year
    int month; // 1-12
    int day;   // 1-31

    // From a compiler date stamp such as "Mar  8 2000"; an unknown month gives month 0.
    static TDate ParseCompileDate(const char* stamp);

    bool IsValid() const { return IsValidDate(year, month, day); }
    int DayOfWeek() const { return ::DayOfWeek(year, month, day); }
    TEraYear Era() const { return EraOf(year, month, day); }
};

bool operator==(const TDate& a, const TDate& b);
bool operator!=(const TDate& a, const TDate& b);
bool operator<(const TDate& a, const TDate& b);
bool operator>(const TDate& a, const TDate& b);
bool operator<=(const TDate& a, const TDate& b);
bool operator>=(const TDate& a, const TDate& b);

// A time of day or a signed duration; the fields hold magnitudes, the sign is in the flag.
struct TTime {
    unsigned char nonNegative; // 1: zero or more; 0: a negative duration
    int hours;
    int minutes;
    int seconds;
    int milliseconds;

    // From a compiler time stamp such as "02:21:05".
    static TTime ParseCompileTime(const char* stamp);

    // Carries and borrows until minutes, seconds and milliseconds are in range and the
    // hours are not negative, flipping the flag when the value is below zero. Hours that
    // would pass the largest int stay at the largest int.
    void Normalize();
    // A time of day: the value modulo 24 hours, at or after 00:00:00.000, flag set.
    void WrapIntoDay();
    bool IsValid() const;

    // Milliseconds from zero, signed; wide enough for any field values.
    long long TotalMilliseconds() const;
};

// Compared as normalised values, so 0:90 equals 1:30 and a negative zero equals zero.
bool operator==(const TTime& a, const TTime& b);
bool operator!=(const TTime& a, const TTime& b);
bool operator<(const TTime& a, const TTime& b);
bool operator>(const TTime& a, const TTime& b);
bool operator<=(const TTime& a, const TTime& b);
bool operator>=(const TTime& a, const TTime& b);

struct TDateTime {
    TDate date;
    TTime time;
};

// The date decides first, the time second.
bool operator==(const TDateTime& a, const TDateTime& b);
bool operator!=(const TDateTime& a, const TDateTime& b);
bool operator<(const TDateTime& a, const TDateTime& b);
bool operator>(const TDateTime& a, const TDateTime& b);
bool operator<=(const TDateTime& a, const TDateTime& b);
bool operator>=(const TDateTime& a, const TDateTime& b);

// Replace the tokens of a format ("%yyyy%", "%元号%", "%HH%", ...) with parts of the value;
// other text, unknown tokens included, is copied. With `pad`, each token's output is
// preceded by spaces up to the token's nominal width. To format a date and a time into
// one text, run FormatTime first and FormatDate on its result, writing the month there
// as "%dm%", "%dmm%", "%dｍ%" or "%dｍｍ%" (the time pass reads "%m%" as minutes).
THeapString FormatDate(const char* format, int year, int month, int day, bool pad);
THeapString FormatTime(const TTime& time, const char* format, bool pad);
