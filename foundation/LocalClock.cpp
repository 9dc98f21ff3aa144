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
