// ScaleBench: the measuring programs run and read back, and the settings window timed from outside.
#include "ScaleBench.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "KelvaneRun.h"
#include "support/ChildProcess.h"

namespace {

using TResult = std::map<std::string, double>;

const UINT commandSettings = 201;

// Runs a measuring program with a result file as its last argument; what it wrote, and how
// long the whole process took. Empty when it failed.
TResult RunMeasuring(const std::string& commandLine, const TBenchSetup& setup, double* processMs = nullptr)
{
    const std::string file = setup.scratch + "\\result.txt";
    DeleteFileA(file.c_str());
    const LARGE_INTEGER start = Now();
    DWORD status = 1;
    {
        TChildProcess program(commandLine + " \"" + file + "\"");
        if (!program.Ended(300000, &status)) return TResult();
    }
    if (processMs) *processMs = ElapsedMs(start, Now());
    TResult result;
    if (FILE* in = std::fopen(file.c_str(), "rb")) {
        char name[64];
        double value;
        while (std::fscanf(in, "%63s %lf", name, &value) == 2) result[name] = value;
        std::fclose(in);
    }
    DeleteFileA(file.c_str());
    if (status != 0) result.clear();
    return result;
}

double Value(const TResult& result, const char* name)
{
    const auto found = result.find(name);
    return found == result.end() ? NAN : found->second;
}

struct TClassSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM parameter)
{
    TClassSearch& search = *reinterpret_cast<TClassSearch*>(parameter);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, search.className) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

HWND ChildOfClass(HWND parent, const char* className)
{
    TClassSearch search{className, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK FindPendingPaint(HWND window, LPARAM pending)
{
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(pending) = true;
        return FALSE;
    }
    return TRUE;
}

// Shown, and neither it nor any of its controls waits for WM_PAINT any more.
bool ShownAndPainted(HWND window)
{
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
    bool pending = false;
    EnumChildWindows(window, FindPendingPaint, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

bool WaitForLines(HWND list, int lines, DWORD timeoutMs)
{
    for (DWORD waited = 0; list && waited <= timeoutMs; waited += 50) {
        DWORD_PTR count = 0;
        if (SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count) &&
            static_cast<int>(count) == lines)
            return true;
        Sleep(50);
    }
    return false;
}

// Posts command 201 and polls until the window is shown and painted.
double TimeSettingsCommand(HWND window)
{
    Sleep(500); // whatever the start left to do is done
    const LARGE_INTEGER start = Now();
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandSettings, 1), 0);
    for (;;) {
        if (ShownAndPainted(window)) return ElapsedMs(start, Now());
        if (ElapsedMs(start, Now()) > 30000) return NAN;
        Sleep(1);
    }
}

} // namespace

double AddPathsMs(bool kelvane, const TBenchSetup& setup)
{
    const std::string count = std::to_string(setup.entries);
    const TResult result = kelvane ? RunMeasuring(CommandBeside("kelvane_ops.exe", {"add", count}), setup)
                                   : RunMeasuring(CommandBeside("bench_list.exe", {"fill", count}), setup);
    if (Value(result, "lines") != setup.entries) return NAN;
    return Value(result, kelvane ? "add" : "fill");
}

double ScanMs(bool kelvane, const TBenchSetup& setup, double* callMs)
{
    double processMs = NAN;
    if (!kelvane) {
        const LARGE_INTEGER start = Now();
        TChildProcess listing("cmd.exe /c dir /s /b \"" + setup.tree + "\" > NUL");
        DWORD status = 1;
        if (!listing.Ended(300000, &status) || status != 0) return NAN;
        return ElapsedMs(start, Now());
    }
    const TResult result = RunMeasuring(CommandBeside("kelvane_ops.exe", {"scan", setup.tree}), setup, &processMs);
    if (Value(result, "files") != setup.treeFiles || Value(result, "result") != 1) return NAN;
    if (callMs) *callMs = Value(result, "scan");
    return processMs;
}

bool PersistMs(bool kelvane, const TBenchSetup& setup, double& saveMs, double& loadMs)
{
    const std::string count = std::to_string(setup.entries);
    const TResult result = kelvane ? RunMeasuring(CommandBeside("kelvane_ops.exe", {"persist", count}), setup)
                                   : RunMeasuring(CommandBeside("bench_reg.exe", {count}), setup);
    if (Value(result, kelvane ? "entries" : "values") != setup.entries) return false;
    saveMs = Value(result, kelvane ? "save" : "write");
    loadMs = Value(result, kelvane ? "load" : "read");
    return true;
}

double OpenSettingsMs(bool kelvane, const TBenchSetup& setup)
{
    if (kelvane) {
        std::vector<std::string> paths;
        for (int i = 0; i < setup.entries; ++i) paths.push_back(BenchPath(i));
        StorePlayList(paths); // none of them exists: the start draws one, fails quietly and stops
        TKelvaneRun run("/restore");
        HWND main = run.MainWindow(60000);
        if (!main || !WaitForPlayerState(main, 3, 60000)) return NAN;
        if (!WaitForLines(ChildOfClass(main, "FileList"), setup.entries, 60000)) return NAN;
        return TimeSettingsCommand(main);
    }
    TChildProcess list(CommandBeside("bench_list.exe", {"hold", std::to_string(setup.entries)}));
    HWND window = list.WaitForWindow("BenchListWindow", 20000);
    if (!window || !WaitForLines(ChildOfClass(window, "ListBox"), setup.entries, 60000)) return NAN;
    return TimeSettingsCommand(window);
}
