// Calendar: the calendar rules of date values (leap years, month lengths, validity,
// day of week) and the Japanese era of a date.
#pragma once

// Years are signed Western years; the rules also cover the years before 1, where the
// early Julian calendar counted leap years irregularly.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month); // 0 for a month outside 1-12
bool IsValidDate(int year, int month, int day);

// 0 = Sunday ... 6 = Saturday; -1 for dates before the reform day 1582-10-15.
int DayOfWeek(int year, int month, int day);

// An era and the year within it; `name` points at a static Shift-JIS text.
struct TEraYear {
    const char* name;
    int year;
};

// Years up to 1872 stay in the Western era; "1" is written for the first year of an era.
TEraYear EraOf(int year, int month, int day);

// -1, 0 or 1 as (year1, month1, day1) is before, on or after (year2, month2, day2).
int CompareDates(int year1, int month1, int day1, int year2, int month2, int day2);
