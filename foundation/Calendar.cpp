// Calendar: Gregorian and early Julian rules, and the table of Japanese eras.
#include "foundation/Calendar.h"

namespace {

struct TEraStart {
    const char* name;
    int year;
    int month;
    int day;
};

// Searched from the top: the first era that began on or before the date wins.
const TEraStart eraStarts[] = {
    {"\x97\xDF\x98\x61", 2019, 5, 1},   // 令和
    {"\x95\xBD\x90\xAC", 1989, 1, 8},   // 平成
    {"\x8F\xBA\x98\x61", 1926, 12, 25}, // 昭和
    {"\x91\xE5\x90\xB3", 1912, 7, 30},  // 大正
    {"\x96\xBE\x8E\xA1", 1868, 9, 8},   // 明治
    {"\x90\xBC\x97\xEF", 1, 1, 1},      // 西暦
};

const char* const westernEra = "\x90\xBC\x97\xEF"; // 西暦

// The solar calendar only reached Japan on the first day of 1873.
const int lastYearBeforeEras = 1872;

bool IsBeforeReform(int year, int month, int day) { return CompareDates(year, month, day, 1582, 10, 15) < 0; }

int FloorMod(long long value, int divisor)
{
    const long long rest = value % divisor;
    return static_cast<int>(rest < 0 ? rest + divisor : rest);
}

} // namespace

int CompareDates(int year1, int month1, int day1, int year2, int month2, int day2)
{
    if (year1 != year2) return year1 < year2 ? -1 : 1;
    if (month1 != month2) return month1 < month2 ? -1 : 1;
    if (day1 != day2) return day1 < day2 ? -1 : 1;
    return 0;
}

bool IsLeapYear(int year)
{
    if (year > 1582) return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (year >= 8) return year % 4 == 0;
    if (year >= -8) return false;
    if (year >= -46) return year % 3 == 0;
    return false;
}

int DaysInMonth(int year, int month)
{
    if (month < 1 || month > 12) return 0;
    if (year < -8) {
        if (month == 2) return IsLeapYear(year) ? 30 : 29;
        return month % 2 == 1 ? 31 : 30;
    }
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year)) return 29;
    return lengths[month - 1];
}

bool IsValidDate(int year, int month, int day)
{
    if (day < 1 || day > DaysInMonth(year, month)) return false;
    // The days dropped by the calendar reform never existed.
    return !(year == 1582 && month == 10 && day >= 5 && day <= 14);
}

int DayOfWeek(int year, int month, int day)
{
    if (IsBeforeReform(year, month, day)) return -1;
    // Wide arithmetic: the operands may be any values a caller hands to a formatter.
    long long y = year;
    long long m = month;
    if (month < 3) {
        y -= 1;
        m += 12;
    }
    const long long sum = y + y / 4 + y / 400 + (13 * m + 8) / 5 + day - y / 100;
    return FloorMod(sum, 7);
}

TEraYear EraOf(int year, int month, int day)
{
    if (year <= lastYearBeforeEras) return {westernEra, year};
    for (const TEraStart& era : eraStarts) {
        if (CompareDates(era.year, era.month, era.day, year, month, day) <= 0) {
            return {era.name, year - era.year + 1};
        }
    }
    return {westernEra, year}; // not reached: the Western era begins before 1873
}
