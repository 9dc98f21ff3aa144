// DateTime: date and time values, compiler-stamp parsing, and the two token formatters.
#include "foundation/DateTime.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/CalendarText.h"
#include "foundation/CharText.h"

namespace {

const long long millisecondsPerHour = 3600000;
const long long millisecondsPerDay = 24 * millisecondsPerHour;

// The number that starts at byte `index`, read as atoi would (leading white space, a sign,
// digits) but held at the int limits instead of overflowing; 0 past the end of the text.
int ReadDecimal(const char* text, int length, int index)
{
    if (index >= length) return 0;
    const char* c = text + index;
    while (*c == ' ' || (*c >= '\t' && *c <= '\r')) ++c;
    const bool negative = *c == '-';
    if (*c == '-' || *c == '+') ++c;
    long long value = 0;
    for (; *c >= '0' && *c <= '9'; ++c) {
        if (value <= INT_MAX) value = value * 10 + (*c - '0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int CompareTimes(const TTime& a, const TTime& b)
{
    const long long first = a.TotalMilliseconds();
    const long long second = b.TotalMilliseconds();
    return first < second ? -1 : (first > second ? 1 : 0);
}

int CompareDateValues(const TDate& a, const TDate& b) { return CompareDates(a.year, a.month, a.day, b.year, b.month, b.day); }

int CompareDateTimes(const TDateTime& a, const TDateTime& b)
{
    const int dates = CompareDateValues(a.date, b.date);
    return dates != 0 ? dates : CompareTimes(a.time, b.time);
}

// The fields taken together, in milliseconds and ignoring the flag. For any int fields
// this stays within about 7.9e15 in magnitude, far inside long long.
long long FieldSum(const TTime& time)
{
    return time.hours * millisecondsPerHour + time.minutes * 60000LL + time.seconds * 1000LL + time.milliseconds;
}

void SetFromMagnitude(TTime& time, long long magnitude)
{
    time.milliseconds = static_cast<int>(magnitude % 1000);
    time.seconds = static_cast<int>(magnitude / 1000 % 60);
    time.minutes = static_cast<int>(magnitude / 60000 % 60);
    const long long hours = magnitude / millisecondsPerHour;
    time.hours = hours > INT_MAX ? INT_MAX : static_cast<int>(hours);
}

} // namespace

TDate TDate::ParseCompileDate(const char* stamp)
{
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const char* text = stamp ? stamp : "";
    const int length = static_cast<int>(std::strlen(text));
    TDate date = {0, 0, 0};
    for (int month = 0; length >= 3 && month < 12; ++month) {
        if (std::memcmp(text, months + 3 * month, 3) == 0) {
            date.month = month + 1;
            break;
        }
    }
    date.day = ReadDecimal(text, length, 4);
    date.year = ReadDecimal(text, length, 7);
    return date;
}

bool operator==(const TDate& a, const TDate& b) { return CompareDateValues(a, b) == 0; }
bool operator!=(const TDate& a, const TDate& b) { return CompareDateValues(a, b) != 0; }
bool operator<(const TDate& a, const TDate& b) { return CompareDateValues(a, b) < 0; }
bool operator>(const TDate& a, const TDate& b) { return CompareDateValues(a, b) > 0; }
bool operator<=(const TDate& a, const TDate& b) { return CompareDateValues(a, b) <= 0; }
bool operator>=(const TDate& a, const TDate& b) { return CompareDateValues(a, b) >= 0; }

TTime TTime::ParseCompileTime(const char* stamp)
{
    const char* text = stamp ? stamp : "";
    const int length = static_cast<int>(std::strlen(text));
    TTime time = {1, ReadDecimal(text, length, 0), ReadDecimal(text, length, 3), ReadDecimal(text, length, 6), 0};
    return time;
}

long long TTime::TotalMilliseconds() const
{
    const long long magnitude = FieldSum(*this);
    return nonNegative ? magnitude : -magnitude;
}

void TTime::Normalize()
{
    long long magnitude = FieldSum(*this);
    bool positive = nonNegative != 0;
    // Fields that add up below zero turn the value to the other side of zero.
    if (magnitude < 0) {
        positive = !positive;
        magnitude = -magnitude;
    }
    nonNegative = positive ? 1 : 0;
    SetFromMagnitude(*this, magnitude);
}

void TTime::WrapIntoDay()
{
    long long rest = TotalMilliseconds() % millisecondsPerDay;
    if (rest < 0) rest += millisecondsPerDay;
    nonNegative = 1;
    SetFromMagnitude(*this, rest);
}

bool TTime::IsValid() const
{
    return nonNegative != 0 && hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 60 && seconds >= 0 &&
           seconds <= 60 && milliseconds >= 0 && milliseconds <= 999;
}

bool operator==(const TTime& a, const TTime& b) { return CompareTimes(a, b) == 0; }
bool operator!=(const TTime& a, const TTime& b) { return CompareTimes(a, b) != 0; }
bool operator<(const TTime& a, const TTime& b) { return CompareTimes(a, b) < 0; }
bool operator>(const TTime& a, const TTime& b) { return CompareTimes(a, b) > 0; }
bool operator<=(const TTime& a, const TTime& b) { return CompareTimes(a, b) <= 0; }
bool operator>=(const TTime& a, const TTime& b) { return CompareTimes(a, b) >= 0; }

bool operator==(const TDateTime& a, const TDateTime& b) { return CompareDateTimes(a, b) == 0; }
bool operator!=(const TDateTime& a, const TDateTime& b) { return CompareDateTimes(a, b) != 0; }
bool operator<(const TDateTime& a, const TDateTime& b) { return CompareDateTimes(a, b) < 0; }
bool operator>(const TDateTime& a, const TDateTime& b) { return CompareDateTimes(a, b) > 0; }
bool operator<=(const TDateTime& a, const TDateTime& b) { return CompareDateTimes(a, b) <= 0; }
bool operator>=(const TDateTime& a, const TDateTime& b) { return CompareDateTimes(a, b) >= 0; }

namespace {

enum ENumberForm { TextForm, Decimal, TwoDigits, ThreeDigits, FourDigits, DecimalWide, TwoDigitsWide, FourDigitsWide, Kanji };

// A token of a format, its nominal width in bytes for padding, and what it writes:
// a field of the value, either as text or as a number in `form`.
struct TToken {
    const char* text;
    int width;
    int field;
    ENumberForm form;
};

enum EDateField {
    YearMod100, Year, EraName, EraYear, Month, MonthAbbreviation, MonthName, MonthJapaneseName,
    Day, WeekdayAbbreviation, WeekdayName, WeekdayKanji, DatePercent
};

// Tried in this order, each with its own length.
const TToken dateTokens[] = {
    {"%yy%", 2, YearMod100, TwoDigits},
    {"%yyyy%", 4, Year, FourDigits},
    {"%\x82\x99\x82\x99%", 4, YearMod100, TwoDigitsWide},               // %ｙｙ%
    {"%\x82\x99\x82\x99\x82\x99\x82\x99%", 8, Year, FourDigitsWide},   // %ｙｙｙｙ%
    {"%\x8C\xB3\x8D\x86%", 4, EraName, TextForm},                       // %元号%
    {"%g%", 2, EraYear, Decimal},
    {"%gg%", 2, EraYear, TwoDigits},
    {"%\x82\x87%", 4, EraYear, DecimalWide},                            // %ｇ%
    {"%\x82\x87\x82\x87%", 4, EraYear, TwoDigitsWide},                  // %ｇｇ%
    {"%\x94\x4E%", 6, EraYear, Kanji},                                  // %年%
    {"%m%", 2, Month, Decimal},
    {"%dm%", 2, Month, Decimal},
    {"%mm%", 2, Month, TwoDigits},
    {"%dmm%", 2, Month, TwoDigits},
    {"%\x82\x8D%", 4, Month, DecimalWide},                              // %ｍ%
    {"%d\x82\x8D%", 4, Month, DecimalWide},                             // %dｍ%
    {"%\x82\x8D\x82\x8D%", 4, Month, TwoDigitsWide},                    // %ｍｍ%
    {"%d\x82\x8D\x82\x8D%", 4, Month, TwoDigitsWide},                   // %dｍｍ%
    {"%\x8C\x8E%", 4, Month, Kanji},                                    // %月%
    {"%MMM%", 3, MonthAbbreviation, TextForm},
    {"%Month%", 9, MonthName, TextForm},
    {"%\x8C\x8E\x96\xBC%", 6, MonthJapaneseName, TextForm},             // %月名%
    {"%d%", 2, Day, Decimal},
    {"%dd%", 2, Day, TwoDigits},
    {"%\x82\x84%", 4, Day, DecimalWide},                                // %ｄ%
    {"%\x82\x84\x82\x84%", 4, Day, TwoDigitsWide},                      // %ｄｄ%
    {"%\x93\xFA%", 6, Day, Kanji},                                      // %日%
    {"%WWW%", 3, WeekdayAbbreviation, TextForm},
    {"%Week%", 9, WeekdayName, TextForm},
    {"%\x97\x6A\x93\xFA%", 2, WeekdayKanji, TextForm},                  // %曜日%
    {"%%%", 1, DatePercent, TextForm},
};

enum ETimeField {
    MinusSign, Sign, MinusSignWide, SignWide, HalfDayJapanese, HalfDay, Hour12, Hour,
    Period, PeriodQuarter, Minute, Second, Millisecond, TimePercent
};

const TToken timeTokens[] = {
    {"%-%", 1, MinusSign, TextForm},
    {"%+%", 1, Sign, TextForm},
    {"%\x81\x7C%", 2, MinusSignWide, TextForm},                         // %－%
    {"%\x81\x7B%", 2, SignWide, TextForm},                              // %＋%
    {"%\x8C\xDF%", 4, HalfDayJapanese, TextForm},                       // %午%
    {"%AP%", 4, HalfDay, TextForm},
    {"%h%", 2, Hour12, Decimal},
    {"%hh%", 2, Hour12, TwoDigits},
    {"%\x82\x88%", 4, Hour12, DecimalWide},                             // %ｈ%
    {"%\x82\x88\x82\x88%", 4, Hour12, TwoDigitsWide},                   // %ｈｈ%
    {"%\x8E\x9E\x8D\x8F%", 4, Hour12, Kanji},                           // %時刻%
    {"%H%", 2, Hour, Decimal},
    {"%HH%", 2, Hour, TwoDigits},
    {"%\x82\x67%", 4, Hour, DecimalWide},                               // %Ｈ%
    {"%\x82\x67\x82\x67%", 4, Hour, TwoDigitsWide},                     // %ＨＨ%
    {"%\x8E\x9E\x8A\xD4%", 6, Hour, Kanji},                             // %時間%
    {"%\x8D\x8F%", 2, Period, TextForm},                                // %刻%
    {"%\x8D\x8F\x8E\x6C%", 4, PeriodQuarter, TextForm},                 // %刻四%
    {"%m%", 2, Minute, Decimal},
    {"%mm%", 2, Minute, TwoDigits},
    {"%\x82\x8D%", 4, Minute, DecimalWide},                             // %ｍ%
    {"%\x82\x8D\x82\x8D%", 4, Minute, TwoDigitsWide},                   // %ｍｍ%
    {"%\x95\xAA%", 6, Minute, Kanji},                                   // %分%
    {"%s%", 2, Second, Decimal},
    {"%ss%", 2, Second, TwoDigits},
    {"%\x82\x93%", 4, Second, DecimalWide},                             // %ｓ%
    {"%\x82\x93\x82\x93%", 4, Second, TwoDigitsWide},                   // %ｓｓ%
    {"%\x95\x62%", 6, Second, Kanji},                                   // %秒%
    {"%ms%", 3, Millisecond, ThreeDigits},
    {"%%%", 1, TimePercent, TextForm},
};

std::string NumberText(long long value, ENumberForm form)
{
    if (form == Kanji) return KanjiNumeral(value).Text();
    int precision = 1;
    if (form == TwoDigits || form == TwoDigitsWide) precision = 2;
    if (form == ThreeDigits) precision = 3;
    if (form == FourDigits || form == FourDigitsWide) precision = 4;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.*lld", precision, value);
    const bool wide = form == DecimalWide || form == TwoDigitsWide || form == FourDigitsWide;
    return wide ? std::string(FullWidthDigits(digits).Text()) : std::string(digits);
}

std::string FirstCharacters(const char* text, int count)
{
    const int length = static_cast<int>(std::strlen(text));
    int end = 0;
    for (int taken = 0; taken < count && end < length; ++taken) end += CharLength(length - end, text + end);
    return std::string(text, static_cast<size_t>(end));
}

int FloorMod(long long value, int divisor)
{
    const long long rest = value % divisor;
    return static_cast<int>(rest < 0 ? rest + divisor : rest);
}

// Bytes from the "%" at `position` that an unknown token spans: up to and including the
// next "%", so that the other formatter's tokens pass through whole, or the lone "%".
int UnknownTokenLength(const char* text, int length, int position)
{
    for (int next = position + 1; next < length; next += CharLength(length - next, text + next)) {
        if (text[next] == '%') return next - position + 1;
    }
    return 1;
}

const TToken* FindToken(const char* at, const TToken* tokens, int count)
{
    for (int index = 0; index < count; ++index) {
        if (std::strncmp(at, tokens[index].text, std::strlen(tokens[index].text)) == 0) return &tokens[index];
    }
    return nullptr;
}

// The formatting loop shared by both formatters; `output` gives the text of a token.
template <typename Output>
THeapString ScanFormat(const char* format, const TToken* tokens, int tokenCount, bool pad, Output output)
{
    const char* text = format ? format : "";
    const int length = static_cast<int>(std::strlen(text));
    std::string result;
    int literal = 0;
    int position = 0;
    while (position < length) {
        if (text[position] != '%') {
            position += CharLength(length - position, text + position);
            continue;
        }
        const TToken* token = FindToken(text + position, tokens, tokenCount);
        if (!token) {
            position += UnknownTokenLength(text, length, position); // copied with the literal text
            continue;
        }
        result.append(text + literal, static_cast<size_t>(position - literal));
        const std::string value = output(*token);
        if (pad && static_cast<int>(value.size()) < token->width) result.append(token->width - value.size(), ' ');
        result += value;
        position += static_cast<int>(std::strlen(token->text));
        literal = position;
    }
    result.append(text + literal, static_cast<size_t>(length - literal));
    return THeapString(result.c_str());
}

struct TDateParts {
    int year;
    int month;
    int day;
    TEraYear era;
    int dayOfWeek;
};

std::string DateTokenOutput(const TToken& token, const TDateParts& date)
{
    switch (token.field) {
    case YearMod100: return NumberText(date.year % 100, token.form);
    case Year: return NumberText(date.year, token.form);
    case EraName: return date.era.name;
    case EraYear: return NumberText(date.era.year, token.form);
    case Month: return NumberText(date.month, token.form);
    case MonthAbbreviation: return FirstCharacters(EnglishMonthName(date.month), 3);
    case MonthName: return EnglishMonthName(date.month);
    case MonthJapaneseName: return JapaneseMonthName(date.month);
    case Day: return NumberText(date.day, token.form);
    case WeekdayAbbreviation: return FirstCharacters(EnglishWeekdayName(date.dayOfWeek), 3);
    case WeekdayName: return EnglishWeekdayName(date.dayOfWeek);
    case WeekdayKanji: return JapaneseWeekdayName(date.dayOfWeek);
    default: return "%";
    }
}

// -1 before noon, 0 at noon exactly, 1 after.
int HalfDayOf(const TTime& time)
{
    const long long noon = 12 * millisecondsPerHour;
    const long long total = time.TotalMilliseconds();
    return total < noon ? -1 : (total > noon ? 1 : 0);
}

std::string TimeTokenOutput(const TToken& token, const TTime& time)
{
    const bool negative = time.nonNegative == 0;
    switch (token.field) {
    case MinusSign: return negative ? "-" : "";
    case Sign: return negative ? "-" : "+";
    case MinusSignWide: return negative ? "\x81\x7C" : "";      // －
    case SignWide: return negative ? "\x81\x7C" : "\x81\x7B";   // － ＋
    case HalfDayJapanese: {
        const int half = HalfDayOf(time);
        return half < 0 ? "\x8C\xDF\x91\x4F" : (half == 0 ? "\x90\xB3\x8C\xDF" : "\x8C\xDF\x8C\xE3"); // 午前 正午 午後
    }
    case HalfDay: return HalfDayOf(time) < 0 ? "a.m." : "p.m.";
    case Hour12: return NumberText(time.hours % 12, token.form);
    case Hour: return NumberText(time.hours, token.form);
    // 23:00-00:59 is the first period; wide arithmetic and a floor modulo keep any hours in the table.
    case Period: return TwoHourPeriodName(FloorMod(time.hours + 1LL, 24) / 2);
    case PeriodQuarter:
        return std::string(KanjiNumeral(FloorMod(time.minutes / 30 + 2LL * time.hours + 2, 4) + 1).Text()) + "\x82\xC2"; // つ
    case Minute: return NumberText(time.minutes, token.form);
    case Second: return NumberText(time.seconds, token.form);
    case Millisecond: return NumberText(time.milliseconds, token.form);
    default: return "%";
    }
}

} // namespace

THeapString FormatDate(const char* format, int year, int month, int day, bool pad)
{
    const TDateParts date = {year, month, day, EraOf(year, month, day), DayOfWeek(year, month, day)};
    return ScanFormat(format, dateTokens, static_cast<int>(sizeof dateTokens / sizeof dateTokens[0]), pad,
                      [&date](const TToken& token) { return DateTokenOutput(token, date); });
}

THeapString FormatTime(const TTime& time, const char* format, bool pad)
{
    return ScanFormat(format, timeTokens, static_cast<int>(sizeof timeTokens / sizeof timeTokens[0]), pad,
                      [&time](const TToken& token) { return TimeTokenOutput(token, time); });
}
