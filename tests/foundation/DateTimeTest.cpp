// Date and time values: calendar rules, eras, compiler stamps, and the token formatters.
#include "foundation/CalendarText.h"
#include "foundation/DateTime.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace {

// Shift-JIS texts the expectations are written with.
const char* const reiwa = "\x97\xDF\x98\x61";   // 令和
const char* const heisei = "\x95\xBD\x90\xAC";  // 平成
const char* const showa = "\x8F\xBA\x98\x61";   // 昭和
const char* const taisho = "\x91\xE5\x90\xB3";  // 大正
const char* const meiji = "\x96\xBE\x8E\xA1";   // 明治
const char* const western = "\x90\xBC\x97\xEF"; // 西暦
const char* const rat = "\x8E\x71";             // 子
const char* const horse = "\x8C\xDF";           // 午

TTime Time(int hours, int minutes, int seconds = 0, int milliseconds = 0, unsigned char nonNegative = 1)
{
    TTime time = {nonNegative, hours, minutes, seconds, milliseconds};
    return time;
}

std::string Date(const char* format, int year, int month, int day, bool pad = false)
{
    return FormatDate(format, year, month, day, pad).Text();
}

std::string At(const TTime& time, const char* format, bool pad = false) { return FormatTime(time, format, pad).Text(); }

std::string Era(int year, int month, int day)
{
    const TEraYear era = EraOf(year, month, day);
    return std::string(era.name) + " " + std::to_string(era.year);
}

} // namespace

TEST(Calendar, LeapYearsFollowTheGregorianJulianAndEarlyJulianRules)
{
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(1500)); // Julian: every fourth year
    EXPECT_TRUE(IsLeapYear(8));
    EXPECT_FALSE(IsLeapYear(4)); // the years when none were kept
    EXPECT_FALSE(IsLeapYear(-8));
    EXPECT_TRUE(IsLeapYear(-9)); // every third year
    EXPECT_TRUE(IsLeapYear(-45));
    EXPECT_FALSE(IsLeapYear(-48));
    EXPECT_FALSE(IsLeapYear(INT_MIN));
}

TEST(Calendar, MonthLengthsAndValidity)
{
    EXPECT_EQ(28, DaysInMonth(1900, 2));
    EXPECT_EQ(29, DaysInMonth(2000, 2));
    EXPECT_EQ(30, DaysInMonth(2000, 4));
    EXPECT_EQ(31, DaysInMonth(2000, 12));
    // Before year -8 odd months have 31 days, even ones 30 and February 29 or 30.
    EXPECT_EQ(30, DaysInMonth(-12, 2));
    EXPECT_EQ(29, DaysInMonth(-10, 2));
    EXPECT_EQ(30, DaysInMonth(-10, 8));
    EXPECT_EQ(31, DaysInMonth(-10, 7));
    EXPECT_EQ(0, DaysInMonth(2000, 13));

    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_FALSE(IsValidDate(2000, 0, 1));
    EXPECT_FALSE(IsValidDate(2000, 1, 0));
    EXPECT_TRUE(IsValidDate(1582, 10, 4));
    EXPECT_FALSE(IsValidDate(1582, 10, 5)); // the days the reform dropped
    EXPECT_FALSE(IsValidDate(1582, 10, 14));
    EXPECT_TRUE(IsValidDate(1582, 10, 15));
}

TEST(Calendar, DayOfWeekStartsAtTheCalendarReform)
{
    EXPECT_EQ(5, DayOfWeek(1582, 10, 15)); // Friday
    EXPECT_EQ(-1, DayOfWeek(1582, 10, 4));
    EXPECT_EQ(3, DayOfWeek(2000, 3, 8));
    EXPECT_EQ(6, DayOfWeek(2000, 1, 1)); // January counts as month 13 of the year before
    EXPECT_EQ(4, DayOfWeek(2024, 2, 29));
    // Nonsense values still give a weekday, never an overflow.
    const int wild = DayOfWeek(INT_MAX, INT_MAX, INT_MIN);
    EXPECT_TRUE(wild >= 0 && wild <= 6);
}

TEST(Calendar, EraBoundaries)
{
    EXPECT_EQ(std::string(showa) + " 64", Era(1989, 1, 7));
    EXPECT_EQ(std::string(heisei) + " 1", Era(1989, 1, 8));
    EXPECT_EQ(std::string(heisei) + " 31", Era(2019, 4, 30));
    EXPECT_EQ(std::string(reiwa) + " 1", Era(2019, 5, 1));
    EXPECT_EQ(std::string(reiwa) + " 8", Era(2026, 12, 8));
    EXPECT_EQ(std::string(taisho) + " 15", Era(1926, 12, 24));
    EXPECT_EQ(std::string(showa) + " 1", Era(1926, 12, 25));
    EXPECT_EQ(std::string(meiji) + " 45", Era(1912, 7, 29));
    EXPECT_EQ(std::string(taisho) + " 1", Era(1912, 7, 30));
    EXPECT_EQ(std::string(meiji) + " 33", Era(1900, 1, 1));
    EXPECT_EQ(std::string(meiji) + " 6", Era(1873, 1, 1));
    // Up to 1872 the Western year stands, even inside the first era.
    EXPECT_EQ(std::string(western) + " 1872", Era(1872, 12, 31));
    EXPECT_EQ(std::string(western) + " 1850", Era(1850, 6, 1));
    EXPECT_EQ(std::string(western) + " -5", Era(-5, 1, 1));
}

TEST(DateValues, CompilerStampsAndComparisons)
{
    const TDate march = TDate::ParseCompileDate("Mar  8 2000");
    EXPECT_EQ(2000, march.year);
    EXPECT_EQ(3, march.month);
    EXPECT_EQ(8, march.day);
    const TDate december = TDate::ParseCompileDate("Dec 31 1999");
    EXPECT_EQ(12, december.month);
    EXPECT_EQ(31, december.day);
    EXPECT_EQ(0, TDate::ParseCompileDate("mar  8 2000").month); // case matters
    const TDate shortText = TDate::ParseCompileDate("Mar");
    EXPECT_EQ(3, shortText.month);
    EXPECT_EQ(0, shortText.day);
    EXPECT_EQ(0, shortText.year);
    EXPECT_EQ(INT_MAX, TDate::ParseCompileDate("Jan 1 99999999999999").year);

    const TTime stamp = TTime::ParseCompileTime("02:21:05");
    EXPECT_EQ(1, stamp.nonNegative);
    EXPECT_EQ(2, stamp.hours);
    EXPECT_EQ(21, stamp.minutes);
    EXPECT_EQ(5, stamp.seconds);
    EXPECT_EQ(0, stamp.milliseconds);
    EXPECT_EQ(0, TTime::ParseCompileTime("").hours);

    EXPECT_TRUE(december < march);
    EXPECT_TRUE((TDate{2000, 3, 9}) > march);
    EXPECT_TRUE((TDate{2000, 2, 31}) <= march);
    EXPECT_EQ(march, (TDate{2000, 3, 8}));
    const TDateTime earlier = {march, Time(23, 0)};
    const TDateTime later = {TDate{2000, 3, 9}, Time(0, 0)};
    EXPECT_TRUE(earlier < later); // the date decides before the time
    EXPECT_TRUE((TDateTime{march, Time(0, 90)}) == (TDateTime{march, Time(1, 30)}));
}

TEST(TimeValues, NormaliseWrapAndCompare)
{
    TTime carried = Time(1, 90, 0, 2500);
    carried.Normalize();
    EXPECT_EQ(2, carried.hours);
    EXPECT_EQ(30, carried.minutes);
    EXPECT_EQ(2, carried.seconds);
    EXPECT_EQ(500, carried.milliseconds);

    TTime belowZero = Time(0, -30);
    belowZero.Normalize();
    EXPECT_EQ(0, belowZero.nonNegative);
    EXPECT_EQ(0, belowZero.hours);
    EXPECT_EQ(30, belowZero.minutes);

    TTime negativeZero = Time(0, 0, 0, 0, 0);
    negativeZero.Normalize();
    EXPECT_EQ(0, negativeZero.nonNegative);
    EXPECT_EQ(Time(0, 0), negativeZero);

    TTime huge = Time(INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    huge.Normalize();
    EXPECT_EQ(INT_MAX, huge.hours); // held at the limit rather than overflowing

    TTime late = Time(49, 15);
    late.WrapIntoDay();
    EXPECT_EQ(1, late.hours);
    EXPECT_EQ(15, late.minutes);
    TTime anHourBack = Time(1, 0, 0, 0, 0);
    anHourBack.WrapIntoDay();
    EXPECT_EQ(1, anHourBack.nonNegative);
    EXPECT_EQ(23, anHourBack.hours);
    TTime midnight = Time(24, 0);
    midnight.WrapIntoDay();
    EXPECT_EQ(0, midnight.hours);

    EXPECT_TRUE(Time(0, 90) == Time(1, 30));
    EXPECT_TRUE(Time(0, 1, 0, 0, 0) < Time(0, 0));
    EXPECT_TRUE(Time(2, 0, 0, 0, 0) < Time(1, 0, 0, 0, 0));
    EXPECT_TRUE(Time(11, 59, 59, 999) < Time(12, 0));

    EXPECT_TRUE(Time(23, 60, 60, 999).IsValid());
    EXPECT_FALSE(Time(24, 0).IsValid());
    EXPECT_FALSE(Time(1, 0, 0, 1000).IsValid());
    EXPECT_FALSE(Time(1, 0, 0, 0, 0).IsValid());
}

TEST(CalendarText, KanjiNumerals)
{
    EXPECT_STREQ("\x97\xEB", KanjiNumeral(0));                 // 零
    EXPECT_STREQ("\x8F\x5C", KanjiNumeral(10));                // 十
    EXPECT_STREQ("\x93\xF1\x8F\x5C\x88\xEA", KanjiNumeral(21)); // 二十一
    EXPECT_STREQ("\x95\x53\x8C\xDC", KanjiNumeral(105));        // 百五
    EXPECT_STREQ("\x93\xF1\x90\xE7", KanjiNumeral(2000));       // 二千
    EXPECT_STREQ("\x90\xE7\x95\x53\x8F\x5C\x88\xEA", KanjiNumeral(1111)); // 千百十一
    EXPECT_STREQ("\x88\xEA\x96\x9C", KanjiNumeral(10000));      // 一万
    EXPECT_STREQ("\x8F\x5C\x96\x9C\x8E\x4F", KanjiNumeral(100003)); // 十万三
    EXPECT_STREQ("\x88\xEA\x89\xAD\x8C\xDC", KanjiNumeral(100000005)); // 一億五: the empty 万 group is skipped
    EXPECT_STREQ("\x81\x7C\x8C\xDC", KanjiNumeral(-5));         // －五
    EXPECT_FALSE(KanjiNumeral(LLONG_MIN).IsEmpty());
}

TEST(FormatDate, JapaneseAndWesternForms)
{
    // 平成１２年３月８日（水）
    EXPECT_EQ("\x95\xBD\x90\xAC\x82\x50\x82\x51\x94\x4E\x82\x52\x8C\x8E\x82\x57\x93\xFA\x81\x69\x90\x85\x81\x6A",
              Date("%\x8C\xB3\x8D\x86%%\x82\x87%\x94\x4E%\x82\x8D%\x8C\x8E%\x82\x84%\x93\xFA\x81\x69%\x97\x6A\x93\xFA%\x81\x6A",
                   2000, 3, 8));
    EXPECT_EQ("20000308", Date("%yyyy%%mm%%dd%", 2000, 3, 8));
    EXPECT_EQ("87 0987", Date("%yy% %yyyy%", 987, 1, 1));
    EXPECT_EQ("-05 -0005", Date("%yy% %yyyy%", -5, 1, 1));
    EXPECT_EQ("\x82\x4F\x82\x54", Date("%\x82\x99\x82\x99%", 2005, 1, 1));  // ０５
    EXPECT_EQ("3/03/\x82\x52/\x82\x4F\x82\x52", Date("%dm%/%dmm%/%d\x82\x8D%/%d\x82\x8D\x82\x8D%", 2000, 3, 8));
    EXPECT_EQ("Wed Wednesday Mar March", Date("%WWW% %Week% %MMM% %Month%", 2000, 3, 8));
    EXPECT_EQ("\x96\x72\x8C\x8E", Date("%\x8C\x8E\x96\xBC%", 2000, 1, 21));                              // 睦月
    EXPECT_EQ("\x8F\x5C \x93\xF1\x8F\x5C\x88\xEA", Date("%\x8C\x8E% %\x93\xFA%", 2000, 10, 21)); // 十 二十一
}

TEST(FormatDate, OutOfRangeNamesKeepTheirQuotes)
{
    EXPECT_EQ("\"Un", Date("%MMM%", 2000, 13, 1));
    EXPECT_EQ("\"Unidentified Month\"", Date("%Month%", 2000, 0, 1));
    EXPECT_EQ("\"\x95\x73\x96\xBE\x82\xC8\x8C\x8E\"", Date("%\x8C\x8E\x96\xBC%", 2000, 13, 1)); // "不明な月"
    // Before the calendar reform there is no weekday.
    EXPECT_EQ("\"Un \"Unidentified DayOfWeek\"", Date("%WWW% %Week%", 1582, 10, 4));
    EXPECT_EQ("\"\x95\x73\x96\xBE\x82\xC8\x97\x6A\x93\xFA\"", Date("%\x97\x6A\x93\xFA%", 1582, 10, 4)); // "不明な曜日"
    EXPECT_EQ("Fri", Date("%WWW%", 1582, 10, 15));
}

TEST(FormatDate, PaddingWidensShortOutputOnly)
{
    EXPECT_EQ("      May", Date("%Month%", 2000, 5, 1, true));
    EXPECT_EQ("September", Date("%Month%", 2000, 9, 1, true));
    EXPECT_EQ("08| 8", Date("%dd%|%d%", 2000, 3, 8, true));
    EXPECT_EQ("  \x8F\x5C\x93\xF1", Date("%\x94\x4E%", 2000, 3, 8, true)); // era year 12: two spaces and 十二
    EXPECT_EQ("  \x82\x57", Date("%\x82\x84%", 2000, 3, 8, true));        // ８
    EXPECT_EQ("\"Unidentified Month\"", Date("%Month%", 2000, 13, 1, true)); // never cut
}

TEST(FormatScanning, UnknownTokensAndLonePercents)
{
    EXPECT_EQ("a%xyz%b", Date("a%xyz%b", 2000, 3, 8));
    EXPECT_EQ("100%", Date("100%", 2000, 3, 8));
    EXPECT_EQ("%%", Date("%%", 2000, 3, 8));
    EXPECT_EQ("%", Date("%%%", 2000, 3, 8));
    EXPECT_EQ("x%", At(Time(1, 0), "x%%%"));
    // The unknown span ends at the next "%", so a token right after it is not seen.
    EXPECT_EQ("%x%yy%", Date("%x%yy%", 2000, 3, 8));
    // A "%" eaten as the second byte of a two-byte character is no token start,
    // while a real two-byte character before a token leaves the token alone.
    EXPECT_EQ("\x81%yy%", Date("\x81%yy%", 2000, 3, 8));
    EXPECT_EQ("\x95\x5C" "00", Date("\x95\x5C%yy%", 2000, 3, 8)); // 表00
    EXPECT_EQ("", Date(nullptr, 2000, 3, 8));
    EXPECT_EQ("a+b+", At(Time(1, 0), "a%+%b%+%"));
}

TEST(FormatScanning, DateAndTimeInOneText)
{
    const THeapString firstPass = FormatTime(Time(2, 21, 5, 7), "%yyyy%/%dmm%/%dd% %HH%:%mm%:%ss%.%ms% %\x8C\xB3\x8D\x86%", false);
    EXPECT_STREQ("%yyyy%/%dmm%/%dd% 02:21:05.007 %\x8C\xB3\x8D\x86%", firstPass);
    EXPECT_EQ("2000/03/08 02:21:05.007 \x95\xBD\x90\xAC", Date(firstPass, 2000, 3, 8));
}

TEST(FormatTime, HalfDaysAndTwelveHourClock)
{
    EXPECT_EQ("0 0 12", At(Time(12, 30), "%h%") + " " + At(Time(0, 30), "%h%") + " " + At(Time(12, 30), "%H%"));
    EXPECT_EQ("a.m. p.m. p.m.", At(Time(11, 59, 59, 999), "%AP%") + " " + At(Time(12, 0), "%AP%") + " " +
                                    At(Time(12, 0, 0, 1), "%AP%"));
    EXPECT_EQ("\x8C\xDF\x91\x4F", At(Time(11, 59, 59, 999), "%\x8C\xDF%")); // 午前
    EXPECT_EQ("\x90\xB3\x8C\xDF", At(Time(12, 0), "%\x8C\xDF%"));           // 正午
    EXPECT_EQ("\x8C\xDF\x8C\xE3", At(Time(0, 720, 0, 1), "%\x8C\xDF%"));    // 午後, after normalising
    EXPECT_EQ("\x82\x4F\x82\x58 \x8B\xE3", At(Time(21, 0), "%\x82\x88\x82\x88% %\x8E\x9E\x8D\x8F%")); // ０９ 九
    EXPECT_EQ("\x93\xF1\x8F\x5C\x8E\x4F \x97\xEB", At(Time(23, 0), "%\x8E\x9E\x8A\xD4% %\x95\xAA%"));  // 二十三 零
}

TEST(FormatTime, TwoHourPeriodsAndQuarters)
{
    const char* const period = "%\x8D\x8F%";          // %刻%
    const char* const quarter = "%\x8D\x8F\x8E\x6C%"; // %刻四%
    EXPECT_EQ(rat, At(Time(23, 0), period));
    EXPECT_EQ(rat, At(Time(0, 59), period));
    EXPECT_EQ("\x89\x4E", At(Time(1, 0), period)); // 丑
    EXPECT_EQ(horse, At(Time(11, 0), period));
    EXPECT_EQ(horse, At(Time(12, 59), period));
    EXPECT_EQ("\x88\xE5", At(Time(22, 59), period)); // 亥
    EXPECT_EQ("\x88\xEA\x82\xC2", At(Time(23, 0), quarter)); // 一つ
    EXPECT_EQ("\x93\xF1\x82\xC2", At(Time(23, 30), quarter)); // 二つ
    EXPECT_EQ("\x8E\x4F\x82\xC2", At(Time(0, 0), quarter));   // 三つ
    EXPECT_EQ("\x8E\x6C\x82\xC2", At(Time(0, 30), quarter));  // 四つ
    // Hours outside the day still name a period.
    EXPECT_EQ(rat, At(Time(-1, 0), period));
    EXPECT_FALSE(At(Time(INT_MAX, INT_MIN), std::string(period).append(quarter).c_str()).empty());
}

TEST(FormatTime, SignsAndFields)
{
    const TTime negative = Time(1, 2, 3, 4, 0);
    EXPECT_EQ("-01:02:03.004", At(negative, "%-%%HH%:%mm%:%ss%.%ms%"));
    EXPECT_EQ("01", At(Time(1, 0), "%-%%HH%"));
    EXPECT_EQ("  1", At(Time(1, 0), "%-%%H%", true));
    EXPECT_EQ("+ -", At(Time(0, 0), "%+%") + " " + At(negative, "%+%"));
    EXPECT_EQ("\x81\x7B \x81\x7C", At(Time(0, 0), "%\x81\x7B%") + " " + At(negative, "%\x81\x7B%")); // ＋ －
    EXPECT_EQ("  ", At(Time(0, 0), "%\x81\x7C%", true));
    EXPECT_EQ("022105000", At(Time(2, 21, 5), "%HH%%mm%%ss%%ms%"));
    EXPECT_EQ("\x82\x51 \x82\x4F\x82\x54", At(Time(2, 21, 5), "%\x82\x67% %\x82\x93\x82\x93%")); // ２ ０５
    EXPECT_EQ("-2147483648", At(Time(INT_MIN, 0), "%H%"));
}
