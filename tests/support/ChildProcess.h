// TChildProcess: a program a test or the bench runner starts (kelvane.exe, a probe, a baseline,
// a Unix launcher), its top-level window, how it ended, and ending it.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

class TChildProcess {
public:
    explicit TChildProcess(const std::string& commandLine, DWORD creationFlags = 0); // started at once
    // A command line with names outside the code page.
    explicit TChildProcess(const std::wstring& commandLine, DWORD creationFlags = 0);
    ~TChildProcess(); // still running: closed through its window, ended if it will not go
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    bool Started() const { return process != nullptr; }
    // Its top-level window of this class (any class when null), once it exists; null after
    // the timeout or when it ended.
    HWND WaitForWindow(const char* className, DWORD timeoutMs);
    // True when it ended in time, with its exit status.
    bool Ended(DWORD timeoutMs, DWORD* status = nullptr) const;
    // Asks `window` (its own) to close, and ends the process if it is still there 5 s later.
    void Close(HWND window);
    // Ends it at once with this status.
    void Kill(UINT status);
    // "<name> is running with N top-level windows, M visible", or how it ended: for failure messages.
    std::string Describe(const char* name) const;

private:
    HANDLE process = nullptr; // owned
    DWORD id = 0;
    HWND window = nullptr;    // the last window found
};

// The full Windows path of a program built beside the running one.
std::string ProgramBesideTests(const char* name);
// The command line of such a program: its full path and the arguments, each in double quotes.
std::string CommandBeside(const char* program, std::initializer_list<std::string> arguments = {});
// Runs a command line and waits for it (at most timeoutMs); returns its exit status, or
// 0xFFFF0000 when it could not be started or did not end in time (it is then ended).
DWORD RunProcess(const std::string& commandLine, DWORD timeoutMs = 30000);
