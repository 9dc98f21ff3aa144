// LocalClock: reads the local clock through GetLocalTime; the one Win32 call of date and time.
#include "foundation/LocalClock.h"

#include <windows.h>

TDate Today()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    TDate date = {now.wYear, now.wMonth, now.wDay};
    return date;
}

TTime Now()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    TTime time = {1, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    return time;
}

long long LocalSecondsSince1970()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME stamp;
    if (!SystemTimeToFileTime(&now, &stamp)) return 0;
    const unsigned long long ticks = (static_cast<unsigned long long>(stamp.dwHighDateTime) << 32) | stamp.dwLowDateTime;
    const unsigned long long ticksPerSecond = 10000000ULL;
    const unsigned long long secondsTo1970 = 11644473600ULL; // from 1601, the FILETIME origin
    return static_cast<long long>(ticks / ticksPerSecond - secondsTo1970);
}
