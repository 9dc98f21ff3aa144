// What the measuring programs share: the play-list paths they fill in (the same for Kelvane
// and the baselines), their clock and the result file they leave for the runner.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

// A music library of artists, albums and tracks; the files need not exist.

inline std::string BenchPath(int index)
{
    char path[96];
    std::snprintf(path, sizeof path, "C:\\Music\\Artist %03d\\Album %02d\\Track %05d.wav", index / 200,
                  index / 20 % 10, index);
    return path;
}

inline double ElapsedMs(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// "name value" lines that the measuring programs leave for the runner.
inline bool WriteBenchResult(const char* file, const char* text)
{
    FILE* out = std::fopen(file, "wb");
    if (!out) return false;
    const bool written = std::fputs(text, out) >= 0;
    return std::fclose(out) == 0 && written;
}
