// Fuzzes the date and time formatters, the compiler-stamp parsers and the time arithmetic
// with arbitrary format texts and field values taken from the input.
#include "foundation/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

// Input layout: pad flag, sign flag, seven 32-bit fields, then the format text.
const size_t headerSize = 2 + 7 * 4;

int FieldAt(const uint8_t* header, int index)
{
    uint32_t value = 0;
    std::memcpy(&value, header + 2 + 4 * index, 4);
    return static_cast<int>(value);
}

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

void CheckTimeArithmetic(const TTime& time)
{
    TTime normal = time;
    normal.Normalize();
    Check(normal.hours >= 0 && normal.minutes >= 0 && normal.minutes < 60 && normal.seconds >= 0 &&
          normal.seconds < 60 && normal.milliseconds >= 0 && normal.milliseconds < 1000);
    if (normal.hours < 2147483647) Check(normal == time);

    TTime wrapped = time;
    wrapped.WrapIntoDay();
    Check(wrapped.IsValid() && wrapped.minutes < 60 && wrapped.seconds < 60);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint8_t header[headerSize] = {};
    std::memcpy(header, data, size < headerSize ? size : headerSize);
    const std::string format = size > headerSize ? std::string(reinterpret_cast<const char*>(data) + headerSize, size - headerSize) : std::string();
    const char* text = format.c_str(); // cut at the first NUL, as a C text would be
    const bool pad = (header[0] & 1) != 0;

    const int year = FieldAt(header, 0);
    const int month = FieldAt(header, 1);
    const int day = FieldAt(header, 2);
    const TTime time = {static_cast<unsigned char>(header[1] & 1), FieldAt(header, 3), FieldAt(header, 4),
                        FieldAt(header, 5), FieldAt(header, 6)};

    const THeapString date = FormatDate(text, year, month, day, pad);
    const THeapString clock = FormatTime(time, text, pad);
    const THeapString combined = FormatDate(clock, year, month, day, pad);
    // Padding only ever adds; a text without "%" has no tokens and passes unchanged.
    Check(FormatDate(text, year, month, day, false).Length() <= date.Length());
    Check(FormatTime(time, text, false).Length() <= clock.Length());
    if (std::strchr(text, '%') == nullptr) Check(date == text && clock == text && combined == text);

    const int weekday = DayOfWeek(year, month, day);
    Check(weekday >= -1 && weekday <= 6);
    Check(!IsValidDate(year, month, day) || (month >= 1 && month <= 12 && day >= 1 && day <= 31));
    (void)EraOf(year, month, day);
    CheckTimeArithmetic(time);

    const TDate parsedDate = TDate::ParseCompileDate(text);
    Check(parsedDate.month >= 0 && parsedDate.month <= 12);
    (void)FormatDate("%yyyy%%dmm%%dd%", parsedDate.year, parsedDate.month, parsedDate.day, pad);
    CheckTimeArithmetic(TTime::ParseCompileTime(text));
    return 0;
}
