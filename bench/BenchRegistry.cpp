// B-reg: writes N REG_SZ values under one key and reads them back, each pass timed; writes
// "write <ms>", "read <ms>" and "values <n>" to FILE.   bench_reg N FILE
#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchCommon.h"

namespace {

const char benchKey[] = "Software\\Orvik\\KelvaneBench\\Baseline";

std::string ValueName(int index)
{
    char name[16];
    std::snprintf(name, sizeof name, "%06d", index);
    return name;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc < 3) return 2;
    const int count = std::atoi(__argv[1]);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) paths.push_back(BenchPath(i));
    SHDeleteKeyA(HKEY_CURRENT_USER, benchKey);

    const LARGE_INTEGER start = Now();
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, benchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return 1;
    for (int i = 0; i < count; ++i)
        RegSetValueExA(key, ValueName(i).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(paths[i].c_str()),
                       static_cast<DWORD>(paths[i].size() + 1));
    RegCloseKey(key);
    const LARGE_INTEGER written = Now();

    int found = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, benchKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        for (int i = 0; i < count; ++i) {
            char value[1024];
            DWORD size = sizeof value, type = 0;
            if (RegQueryValueExA(key, ValueName(i).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                    ERROR_SUCCESS &&
                type == REG_SZ)
                ++found;
        }
        RegCloseKey(key);
    }
    const LARGE_INTEGER read = Now();
    SHDeleteKeyA(HKEY_CURRENT_USER, benchKey);

    char result[96];
    std::snprintf(result, sizeof result, "write %.3f\nread %.3f\nvalues %d\n", ElapsedMs(start, written),
                  ElapsedMs(written, read), found);
    return WriteBenchResult(__argv[2], result) ? 0 : 1;
}
