// CalendarText: name tables and number forms in Shift-JIS.
#include "foundation/CalendarText.h"

#include <string>

namespace {

const char* const englishMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};

const char* const englishWeekdays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

const char* const japaneseMonths[12] = {
    "\x96\x72\x8C\x8E",         // 睦月
    "\x94\x40\x8C\x8E",         // 如月
    "\x96\xED\x90\xB6",         // 弥生
    "\x89\x4B\x8C\x8E",         // 卯月
    "\x8E\x48\x8C\x8E",         // 皐月
    "\x90\x85\x96\xB3\x8C\x8E", // 水無月
    "\x95\xB6\x8C\x8E",         // 文月
    "\x97\x74\x8C\x8E",         // 葉月
    "\x92\xB7\x8C\x8E",         // 長月
    "\x90\x5F\x96\xB3\x8C\x8E", // 神無月
    "\x91\x9A\x8C\x8E",         // 霜月
    "\x8E\x74\x91\x96",         // 師走
};

// 日 月 火 水 木 金 土
const char* const japaneseWeekdays[7] = {"\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85",
                                         "\x96\xD8", "\x8B\xE0", "\x93\x79"};

// 子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥
const char* const twoHourPeriods[12] = {"\x8E\x71", "\x89\x4E", "\x93\xD0", "\x89\x4B", "\x92\x43", "\x96\xA4",
                                        "\x8C\xDF", "\x96\xA2", "\x90\x5C", "\x93\xD1", "\x9C\xFA", "\x88\xE5"};

// 零 一 二 三 四 五 六 七 八 九
const char* const kanjiDigits[10] = {"\x97\xEB", "\x88\xEA", "\x93\xF1", "\x8E\x4F", "\x8E\x6C",
                                     "\x8C\xDC", "\x98\x5A", "\x8E\xB5", "\x94\xAA", "\x8B\xE3"};

// 千 百 十, for the places of a group of four digits above the units.
const char* const kanjiPlaces[3] = {"\x90\xE7", "\x95\x53", "\x8F\x5C"};

// 万 億 兆 京, for the groups of four digits above the first.
const char* const kanjiGroups[4] = {"\x96\x9C", "\x89\xAD", "\x92\x9B", "\x8B\x9E"};

const char* const kanjiMinus = "\x81\x7C"; // －

// One group of four digits (1-9999); a one before 千, 百 or 十 is left out.
void AppendKanjiGroup(std::string& out, int group)
{
    const int placeValues[3] = {1000, 100, 10};
    for (int place = 0; place < 3; ++place) {
        const int digit = group / placeValues[place] % 10;
        if (digit == 0) continue;
        if (digit != 1) out += kanjiDigits[digit];
        out += kanjiPlaces[place];
    }
    if (group % 10 != 0) out += kanjiDigits[group % 10];
}

} // namespace

const char* EnglishMonthName(int month)
{
    return month >= 1 && month <= 12 ? englishMonths[month - 1] : "\"Unidentified Month\"";
}

const char* EnglishWeekdayName(int dayOfWeek)
{
    return dayOfWeek >= 0 && dayOfWeek <= 6 ? englishWeekdays[dayOfWeek] : "\"Unidentified DayOfWeek\"";
}

const char* JapaneseMonthName(int month)
{
    return month >= 1 && month <= 12 ? japaneseMonths[month - 1] : "\"\x95\x73\x96\xBE\x82\xC8\x8C\x8E\""; // "不明な月"
}

const char* JapaneseWeekdayName(int dayOfWeek)
{
    // "不明な曜日"
    return dayOfWeek >= 0 && dayOfWeek <= 6 ? japaneseWeekdays[dayOfWeek] : "\"\x95\x73\x96\xBE\x82\xC8\x97\x6A\x93\xFA\"";
}

const char* TwoHourPeriodName(int period) { return period >= 0 && period <= 11 ? twoHourPeriods[period] : ""; }

THeapString FullWidthDigits(const char* text)
{
    std::string out;
    for (const char* c = text ? text : ""; *c != '\0'; ++c) {
        if (*c >= '0' && *c <= '9') {
            out += '\x82';
            out += static_cast<char>(0x4F + (*c - '0')); // ０ is 0x82 0x4F
        } else {
            out += *c;
        }
    }
    return THeapString(out.c_str());
}

THeapString KanjiNumeral(long long value)
{
    if (value == 0) return THeapString(kanjiDigits[0]);
    std::string out;
    // The magnitude as unsigned, so the most negative value needs no negation overflow.
    unsigned long long magnitude = static_cast<unsigned long long>(value);
    if (value < 0) {
        out += kanjiMinus;
        magnitude = 0 - magnitude;
    }
    int groups[5];
    int groupCount = 0;
    for (; magnitude > 0 && groupCount < 5; magnitude /= 10000) groups[groupCount++] = static_cast<int>(magnitude % 10000);
    // 20 decimal digits fit five groups, so nothing is left over.
    for (int index = groupCount - 1; index >= 0; --index) {
        if (groups[index] == 0) continue;
        if (index > 0 && groups[index] == 1) {
            out += kanjiDigits[1]; // 一万, not 万
        } else {
            AppendKanjiGroup(out, groups[index]);
        }
        if (index > 0) out += kanjiGroups[index - 1];
    }
    return THeapString(out.c_str());
}
