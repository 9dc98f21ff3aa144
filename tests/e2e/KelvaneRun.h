// One kelvane.exe started by a test, and what a test reads of it from outside: its windows,
// its player state (through the program's own state query), its settings and its shortcut.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/RegistryValues.h"
#include "support/WindowTexts.h"

class TKelvaneRun {
public:
    explicit TKelvaneRun(const std::string& arguments);
    explicit TKelvaneRun(const std::wstring& arguments); // with names outside the code page
    ~TKelvaneRun(); // a process still running is closed through its main window, or ended
    TKelvaneRun(const TKelvaneRun&) = delete;
    TKelvaneRun& operator=(const TKelvaneRun&) = delete;

    bool Started() const { return process.Started(); }
    // The settings window ("ShapeClass", "Kelvane"), once it exists; null after the timeout.
    HWND MainWindow(DWORD timeoutMs = 20000);
    // True when the process ended in time, with its exit status.
    bool Ended(DWORD timeoutMs, DWORD* status = nullptr) const { return process.Ended(timeoutMs, status); }
    // Ended in time with status 0, as every way out of the program ends.
    ::testing::AssertionResult EndedCleanly(DWORD timeoutMs = 15000) const;
    // "running", or how it ended: for failure messages.
    std::string Describe() const { return process.Describe("kelvane.exe"); }

private:
    TChildProcess process;
};

// The progress window and the notices carry the same title; the main window has no owner.
HWND FindMainWindow();

struct TPlayerSnapshot {
    int state = -1; // 0 empty, 1 playing, 2 paused, 3 stopped
    std::string tip;  // what the tray icon shows; empty while there is no icon
    std::string currentFile;
    int entries = -1;
};
// The program's state query: wParam names the window that gets the answer as WM_COPYDATA.
const UINT StateQueryMessage = WM_APP + 9001;
bool QueryPlayer(HWND mainWindow, TPlayerSnapshot& snapshot);
// Posts the state query behind whatever was posted to the program before, and waits for the
// answer: once it comes, the program has handled all of that (or runs a nested loop for it).
::testing::AssertionResult Settle(HWND mainWindow, TPlayerSnapshot* snapshot = nullptr);
// Polls until the player reaches `state`; the last snapshot in `last`.
bool WaitForPlayerState(HWND mainWindow, int state, DWORD timeoutMs, TPlayerSnapshot* last = nullptr);

// A visible shape owned by `owner` with this title, or null after the timeout (0: as it is now).
HWND WaitForOwnedShape(HWND owner, const char* title, DWORD timeoutMs);
// Every top-level shape with its state, one per line: for failure messages.
std::string DescribeShapes();
// Every visible top-level shape with this title.
int CountShapes(const char* title);
// The waits on a window that most tests make.
::testing::AssertionResult WaitUntilShown(HWND window, DWORD timeoutMs = 10000);
::testing::AssertionResult WaitUntilHidden(HWND window, DWORD timeoutMs = 10000);
::testing::AssertionResult WaitUntilGone(HWND window, DWORD timeoutMs = 10000);
// What a click on the shape's button does, without blocking on the box it may open.
void PressButton(HWND shape, int id);

// The program's registry key and start-up shortcut, as the tests set them up.
extern const char KelvaneKey[];
std::string KelvanePath(const char* subkey); // "" for the key itself
void ClearKelvaneSettings();                 // the key's tree and the start-up shortcut
void StorePlayList(const std::vector<std::string>& paths);
void SilenceNotice(const char* key);
std::string StartupShortcutPath();
bool FileExists(const std::string& path);
