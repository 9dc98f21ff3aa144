// TChildProcess: a program the runner starts (a baseline or a measuring program), its
// top-level window, and ending it.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

class TChildProcess {
public:
    explicit TChildProcess(const std::string& commandLine); // started at once
    ~TChildProcess(); // still running: WM_CLOSE to its window, then ended
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    bool Started() const { return process != nullptr; }
    // Its top-level window of this class (any class when null), once it exists; null after
    // the timeout or when it ended.
    HWND WaitForWindow(const char* className, DWORD timeoutMs);
    // True when it ended in time, with its exit status.
    bool Ended(DWORD timeoutMs, DWORD* status = nullptr);

private:
    HANDLE process = nullptr; // owned
    DWORD id = 0;
    HWND window = nullptr;    // the last window found
};

// The command line of a program built beside the runner: its full path and the arguments,
// each in double quotes.
std::string BesideRunner(const char* program, std::initializer_list<std::string> arguments = {});
