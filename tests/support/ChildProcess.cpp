// TChildProcess: starting a program, finding its windows and ending it.
#include "support/ChildProcess.h"

#include <cstdio>
#include <vector>

#include "support/Wait.h"
#include "support/WideText.h"

namespace {

struct TWindowSearch {
    DWORD processId;
    const char* className; // any when null
    HWND found;
    int windows;
    int visible;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    TWindowSearch& search = *reinterpret_cast<TWindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId) return TRUE;
    ++search.windows;
    if (IsWindowVisible(window)) ++search.visible;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (!search.found && (!search.className || lstrcmpA(className, search.className) == 0)) search.found = window;
    return TRUE;
}

} // namespace

TChildProcess::TChildProcess(const std::string& commandLine, DWORD creationFlags)
    : TChildProcess(Wide(commandLine), creationFlags)
{
}

TChildProcess::TChildProcess(const std::wstring& commandLine, DWORD creationFlags)
{
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, creationFlags, nullptr, nullptr, &startup,
                        &started))
        return;
    CloseHandle(started.hThread);
    process = started.hProcess;
    id = started.dwProcessId;
}

TChildProcess::~TChildProcess()
{
    if (!process) return;
    if (!Ended(0)) {
        if (!window || !IsWindow(window)) window = WaitForWindow(nullptr, 0);
        Close(window);
    }
    CloseHandle(process);
}

HWND TChildProcess::WaitForWindow(const char* className, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            TWindowSearch search{id, className, nullptr, 0, 0};
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            found = search.found;
            return found || !process || Ended(0);
        },
        timeoutMs, "the program's window");
    return found ? window = found : nullptr;
}

bool TChildProcess::Ended(DWORD timeoutMs, DWORD* status) const
{
    if (!process || WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    if (status) *status = code;
    return true;
}

void TChildProcess::Close(HWND closing)
{
    if (!process || Ended(0)) return;
    if (closing) PostMessageA(closing, WM_CLOSE, 0, 0);
    if (!Ended(5000)) Kill(1);
}

void TChildProcess::Kill(UINT status)
{
    if (!process) return;
    TerminateProcess(process, status);
    WaitForSingleObject(process, 5000);
}

std::string TChildProcess::Describe(const char* name) const
{
    char text[160];
    DWORD status = 0;
    if (!process) {
        std::snprintf(text, sizeof text, "%s did not start", name);
    } else if (Ended(0, &status)) {
        std::snprintf(text, sizeof text, "%s ended with status 0x%lX", name, status);
    } else {
        TWindowSearch search{id, nullptr, nullptr, 0, 0};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        std::snprintf(text, sizeof text, "%s %lu is running with %d top-level windows, %d visible", name, id,
                      search.windows, search.visible);
    }
    return text;
}

std::string ProgramBesideTests(const char* name)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

std::string CommandBeside(const char* program, std::initializer_list<std::string> arguments)
{
    std::string line = "\"" + ProgramBesideTests(program) + "\"";
    for (const std::string& argument : arguments) line += " \"" + argument + "\"";
    return line;
}

DWORD RunProcess(const std::string& commandLine, DWORD timeoutMs)
{
    TChildProcess child(commandLine);
    DWORD status = 0xFFFF0000;
    if (child.Started() && !child.Ended(timeoutMs, &status)) child.Kill(1);
    return status;
}
