// TChildProcess: starting, finding the window of and ending a program of the runner.
#include "ChildProcess.h"

#include <vector>

#include "ProcessRunner.h"

namespace {

struct TWindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    TWindowSearch& search = *reinterpret_cast<TWindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner != search.processId) return TRUE;
    if (search.className && lstrcmpA(className, search.className) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

TChildProcess::TChildProcess(const std::string& commandLine)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) return;
    CloseHandle(started.hThread);
    process = started.hProcess;
    id = started.dwProcessId;
}

TChildProcess::~TChildProcess()
{
    if (!process) return;
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        if (!window || !IsWindow(window)) window = WaitForWindow(nullptr, 0);
        if (window) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 5000) == WAIT_TIMEOUT) TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
}

HWND TChildProcess::WaitForWindow(const char* className, DWORD timeoutMs)
{
    for (DWORD waited = 0; process && waited <= timeoutMs; waited += 10) {
        TWindowSearch search{id, className, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return window = search.found;
        if (WaitForSingleObject(process, 10) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

bool TChildProcess::Ended(DWORD timeoutMs, DWORD* status)
{
    if (!process || WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    if (status) *status = code;
    return true;
}

std::string BesideRunner(const char* program, std::initializer_list<std::string> arguments)
{
    std::string line = "\"" + ProgramBesideTests(program) + "\"";
    for (const std::string& argument : arguments) line += " \"" + argument + "\"";
    return line;
}
