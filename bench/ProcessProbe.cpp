// Reading /proc through Wine's Z: drive: the process list, per-thread scheduler figures and smaps.
#include "ProcessProbe.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string ProcPath(int pid, const char* rest)
{
    return "Z:\\proc\\" + std::to_string(pid) + (rest && *rest ? std::string("\\") + rest : std::string());
}

// Files under /proc report no size: read until the end.
std::string ReadAll(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(file);
    return text;
}

std::vector<int> NumericEntries(const std::string& folder)
{
    std::vector<int> numbers;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return numbers;
    do {
        if (entry.cFileName[0] >= '1' && entry.cFileName[0] <= '9') numbers.push_back(std::atoi(entry.cFileName));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return numbers;
}

// The number after "name:" in a /proc text of "name: value" lines; -1 when missing.
long long Field(const std::string& text, const char* name)
{
    const std::string key = std::string("\n") + name + ":";
    const size_t at = ("\n" + text).find(key);
    if (at == std::string::npos) return -1;
    return std::atoll(text.c_str() + at + key.size() - 1);
}

bool SamePrefix(int pid)
{
    char prefix[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix)) return true;
    const std::string nul(1, '\0');
    const std::string environment = nul + ReadAll(ProcPath(pid, "environ"));
    return environment.find(nul + "WINEPREFIX=" + prefix + nul) != std::string::npos;
}

// Field 22 of stat, counted after the name in parentheses (which may hold blanks).
unsigned long long StartTime(int pid)
{
    const std::string stat = ReadAll(ProcPath(pid, "stat"));
    size_t at = stat.rfind(')');
    if (at == std::string::npos) return 0;
    for (int field = 2; field < 22 && at != std::string::npos; ++field) at = stat.find(' ', at + 1);
    return at == std::string::npos ? 0 : std::strtoull(stat.c_str() + at + 1, nullptr, 10);
}

} // namespace

int FindUnixProcess(const char* programName)
{
    int newest = 0;
    unsigned long long newestStart = 0;
    for (int pid : NumericEntries("Z:\\proc")) {
        std::string name = ReadAll(ProcPath(pid, "comm"));
        while (!name.empty() && name.back() == '\n') name.pop_back();
        if (name != programName || !SamePrefix(pid)) continue;
        const unsigned long long start = StartTime(pid);
        if (!newest || start >= newestStart) {
            newest = pid;
            newestStart = start;
        }
    }
    return newest;
}

TProcessSample ReadProcess(int unixPid)
{
    TProcessSample sample;
    if (unixPid <= 0) return sample;
    const std::string tasks = ProcPath(unixPid, "task");
    for (int thread : NumericEntries(tasks)) {
        const std::string threadPath = tasks + "\\" + std::to_string(thread);
        const std::string schedstat = ReadAll(threadPath + "\\schedstat");
        const long long switches = Field(ReadAll(threadPath + "\\status"), "voluntary_ctxt_switches");
        if (schedstat.empty() || switches < 0) continue; // the thread ended meanwhile
        sample.cpuMs += std::strtoull(schedstat.c_str(), nullptr, 10) / 1e6;
        sample.voluntarySwitches += switches;
        sample.valid = true;
    }
    const std::string memory = ReadAll(ProcPath(unixPid, "smaps_rollup"));
    const long long resident = Field(memory, "Rss"), dirty = Field(memory, "Private_Dirty");
    if (resident < 0 || dirty < 0) sample.valid = false;
    sample.residentMb = resident / 1024.0;
    sample.privateDirtyMb = dirty / 1024.0;
    return sample;
}
