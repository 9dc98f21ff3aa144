// Starting Unix programs through start.exe, and scripts whose end a marker file tells.
#include "support/UnixCommand.h"

#include <cstdio>

#include "support/ChildProcess.h"
#include "support/Wait.h"
#include "support/WideText.h"

bool StartUnix(const std::string& commandLine)
{
    TChildProcess launcher("start.exe /unix " + commandLine, CREATE_NO_WINDOW);
    if (!launcher.Started()) return false;
    launcher.Ended(5000);
    return true;
}

bool RunUnixScript(const std::string& script, DWORD timeoutMs)
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
    const bool done = StartUnix("/bin/sh " + unixPath) &&
                      WaitUntil([&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; },
                                timeoutMs, "the script's end");
    DeleteFileA(windowsPath.c_str());
    DeleteFileA(marker.c_str());
    return done;
}

bool HaveUnixProgram(const char* windowsPath) { return GetFileAttributesA(windowsPath) != INVALID_FILE_ATTRIBUTES; }

std::string UnixPath(const std::string& windowsPath)
{
    using TUnixName = char*(CDECL*)(LPCWSTR);
    FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (!found) return "";
    char* unixPath = reinterpret_cast<TUnixName>(reinterpret_cast<void*>(found))(Wide(windowsPath).c_str());
    if (!unixPath) return "";
    const std::string path = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return path;
}

bool HaveXdotool() { return HaveUnixProgram("Z:\\usr\\bin\\xdotool"); }

bool RunXdotool(const std::string& arguments) { return RunUnixScript("/usr/bin/xdotool " + arguments); }
