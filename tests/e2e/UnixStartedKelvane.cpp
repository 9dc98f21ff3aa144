#include "UnixStartedKelvane.h"

#include "KelvaneRun.h"
#include "support/TempFolder.h"
#include "support/UnixCommand.h"
#include "support/Wait.h"

TUnixStartedKelvane::TUnixStartedKelvane(const std::string& environment, const std::string& arguments)
{
    static int serial = 0;
    char unique[64];
    wsprintfA(unique, "kelvane-unix-%lu-%d", GetCurrentProcessId(), ++serial);
    unixBase = std::string("/tmp/") + unique;
    windowsBase = std::string("Z:\\tmp\\") + unique;
    // scripts/wine-run is the project's choice of loader.
    const std::string start = environment + " '" KELVANE_SOURCE_DIR "/scripts/wine-run' '" KELVANE_BIN_DIR
                                            "/kelvane.exe' " + arguments + " >'" + unixBase + ".log' 2>&1";
    started = RunUnixScript("( " + start + "; echo $? > '" + unixBase + ".status' ) &");
}

TUnixStartedKelvane::~TUnixStartedKelvane()
{
    if (HWND main = started && Status().empty() ? FindMainWindow() : nullptr) {
        DWORD id = 0;
        GetWindowThreadProcessId(main, &id);
        PostMessageA(main, WM_CLOSE, 0, 0);
        if (!WaitUntil([&] { return !Status().empty(); }, 5000, "the end of kelvane.exe"))
            if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
                TerminateProcess(process, 1);
                CloseHandle(process);
            }
    }
    RunUnixScript("rm -f '" + unixBase + ".log' '" + unixBase + ".status'");
}

HWND TUnixStartedKelvane::MainWindow(DWORD timeoutMs) const
{
    HWND main = nullptr;
    if (started)
        WaitUntil([&] { return (main = FindMainWindow()) != nullptr || !Status().empty(); }, timeoutMs,
                  "kelvane.exe's main window");
    return main;
}

::testing::AssertionResult TUnixStartedKelvane::EndedCleanly(DWORD timeoutMs) const
{
    ::testing::AssertionResult ended = WaitUntil([&] { return !Status().empty(); }, timeoutMs, "the end of kelvane.exe");
    if (!ended) return ended;
    if (Status() == "0\n") return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "kelvane.exe ended with status " << Status();
}

std::string TUnixStartedKelvane::Log() const { return TTempFolder::Read(windowsBase + ".log"); }

std::string TUnixStartedKelvane::Status() const { return TTempFolder::Read(windowsBase + ".status"); }
