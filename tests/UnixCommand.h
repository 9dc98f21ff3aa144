// Unix programs (xdotool, parec) started from a Windows test through Wine's bridge.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

// Starts `commandLine` (a Unix program path and its arguments) without waiting: Wine's
// launcher returns before the program ends. False when it could not be started.
inline bool StartUnix(const std::string& commandLine)
{
    std::string line = "start.exe /unix " + commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return false;
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Runs a shell script and waits (at most timeoutMs) until it has finished, through a marker
// file that the script writes last. The script runs in /tmp, which Wine sees as Z:\tmp.
inline bool RunUnixScript(const std::string& script, DWORD timeoutMs = 10000)
{
    static int serial = 0;
    char name[64];
    std::snprintf(name, sizeof name, "kelvane-test-%lu-%d", GetCurrentProcessId(), ++serial);
    const std::string unixPath = std::string("/tmp/") + name + ".sh";
    const std::string windowsPath = std::string("Z:\\tmp\\") + name + ".sh";
    const std::string marker = windowsPath + ".done";
    FILE* file = std::fopen(windowsPath.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "%s\ntouch '%s.done'\n", script.c_str(), unixPath.c_str());
    std::fclose(file);
    bool done = false;
    if (StartUnix("/bin/sh " + unixPath)) {
        for (DWORD waited = 0; waited < timeoutMs && !done; waited += 50) {
            done = GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (!done) Sleep(50);
        }
    }
    DeleteFileA(windowsPath.c_str());
    DeleteFileA(marker.c_str());
    return done;
}

inline bool HaveUnixProgram(const char* windowsPath)
{
    return GetFileAttributesA(windowsPath) != INVALID_FILE_ATTRIBUTES;
}
