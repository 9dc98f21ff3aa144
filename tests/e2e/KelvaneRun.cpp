// Starting kelvane.exe, finding its windows and asking it for its player state.
#include "KelvaneRun.h"

#include <shlobj.h>
#include <shlwapi.h>

#include "support/Wait.h"
#include "support/WideText.h"

const char KelvaneKey[] = "Software\\Orvik\\Kelvane\\1.x";

namespace {

const char shapeClass[] = "ShapeClass";

TPlayerSnapshot* answer = nullptr; // filled while a query waits

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA || !answer) return DefWindowProcA(window, message, wParam, lParam);
    const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    answer->state = static_cast<int>(data->dwData);
    const char* texts = static_cast<const char*>(data->lpData);
    answer->tip = texts;
    answer->currentFile = texts + answer->tip.size() + 1;
    return TRUE;
}

HWND Receiver()
{
    static HWND receiver = nullptr;
    if (receiver) return receiver;
    WNDCLASSA description = {};
    description.lpfnWndProc = ReceiverProc;
    description.hInstance = GetModuleHandleA(nullptr);
    description.lpszClassName = "KelvaneStateReceiver";
    RegisterClassA(&description);
    receiver = CreateWindowA("KelvaneStateReceiver", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    return receiver;
}

struct TShapeSearch {
    HWND owner;
    const char* title;
    HWND found;
    int count;
};

BOOL CALLBACK MatchShape(HWND window, LPARAM lParam)
{
    TShapeSearch& search = *reinterpret_cast<TShapeSearch*>(lParam);
    char className[64] = "", title[256] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (lstrcmpA(className, shapeClass) != 0 || lstrcmpA(title, search.title) != 0 || !IsWindowVisible(window))
        return TRUE;
    if (search.owner && GetWindow(window, GW_OWNER) != search.owner) return TRUE;
    search.found = window;
    ++search.count;
    return TRUE;
}

} // namespace

TKelvaneRun::TKelvaneRun(const std::string& arguments)
    : process("\"" + ProgramBesideTests("kelvane.exe") + "\"" + (arguments.empty() ? "" : " " + arguments))
{
}

TKelvaneRun::TKelvaneRun(const std::wstring& arguments)
    : process(Wide("\"" + ProgramBesideTests("kelvane.exe") + "\" ") + arguments)
{
}

TKelvaneRun::~TKelvaneRun() { process.Close(FindMainWindow()); }

::testing::AssertionResult TKelvaneRun::EndedCleanly(DWORD timeoutMs) const
{
    DWORD status = 1;
    if (Ended(timeoutMs, &status) && status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << Describe();
}

HWND FindMainWindow()
{
    for (HWND main = nullptr; (main = FindWindowExA(nullptr, main, shapeClass, "Kelvane")) != nullptr;)
        if (!GetWindow(main, GW_OWNER)) return main;
    return nullptr;
}

HWND TKelvaneRun::MainWindow(DWORD timeoutMs)
{
    HWND main = nullptr;
    WaitUntil([&] { return (main = FindMainWindow()) != nullptr || !Started() || Ended(0); }, timeoutMs,
              "kelvane.exe's main window");
    return main;
}

bool QueryPlayer(HWND mainWindow, TPlayerSnapshot& snapshot)
{
    TPlayerSnapshot received;
    answer = &received;
    DWORD_PTR entries = 0;
    LRESULT sent = SendMessageTimeoutA(mainWindow, StateQueryMessage, reinterpret_cast<WPARAM>(Receiver()), 0,
                                       SMTO_ABORTIFHUNG, 5000, &entries);
    answer = nullptr;
    if (!sent || received.state < 0) return false;
    received.entries = static_cast<int>(entries);
    snapshot = received;
    return true;
}

::testing::AssertionResult Settle(HWND mainWindow, TPlayerSnapshot* snapshot)
{
    TPlayerSnapshot received;
    answer = &received;
    const bool posted = PostMessageA(mainWindow, StateQueryMessage, reinterpret_cast<WPARAM>(Receiver()), 0);
    ::testing::AssertionResult answered =
        posted ? WaitUntil([&] { return received.state >= 0; }, 10000, "the answer to a posted state query")
               : ::testing::AssertionFailure() << "the state query could not be posted";
    answer = nullptr;
    if (answered && snapshot) *snapshot = received;
    return answered;
}

bool WaitForPlayerState(HWND mainWindow, int state, DWORD timeoutMs, TPlayerSnapshot* last)
{
    TPlayerSnapshot snapshot;
    WaitUntil([&] { return QueryPlayer(mainWindow, snapshot) && snapshot.state == state; }, timeoutMs,
              "the player's state");
    if (last) *last = snapshot;
    return snapshot.state == state;
}

HWND WaitForOwnedShape(HWND owner, const char* title, DWORD timeoutMs)
{
    TShapeSearch search{owner, title, nullptr, 0};
    WaitUntil(
        [&] {
            search.found = nullptr;
            EnumWindows(MatchShape, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs, "the shape");
    return search.found;
}

namespace {

BOOL CALLBACK DescribeShape(HWND window, LPARAM lParam)
{
    char className[64] = "", title[256] = "", line[512];
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, shapeClass) != 0) return TRUE;
    GetWindowTextA(window, title, sizeof title);
    wsprintfA(line, "%p \"%s\" visible %d enabled %d owner %p\n", static_cast<void*>(window), title,
              IsWindowVisible(window), IsWindowEnabled(window), static_cast<void*>(GetWindow(window, GW_OWNER)));
    *reinterpret_cast<std::string*>(lParam) += line;
    return TRUE;
}

} // namespace

std::string DescribeShapes()
{
    std::string shapes;
    EnumWindows(DescribeShape, reinterpret_cast<LPARAM>(&shapes));
    return shapes;
}

int CountShapes(const char* title)
{
    TShapeSearch search{nullptr, title, nullptr, 0};
    EnumWindows(MatchShape, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

::testing::AssertionResult WaitUntilShown(HWND window, DWORD timeoutMs)
{
    return WaitUntil([=] { return IsWindowVisible(window) != FALSE; }, timeoutMs, "the window showing");
}

::testing::AssertionResult WaitUntilHidden(HWND window, DWORD timeoutMs)
{
    return WaitUntil([=] { return !IsWindowVisible(window); }, timeoutMs, "the window hiding");
}

::testing::AssertionResult WaitUntilGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([=] { return !IsWindow(window); }, timeoutMs, "the window closing");
}

void PressButton(HWND shape, int id)
{
    PostMessageA(shape, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(shape, id)));
}

void ClearKelvaneSettings()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, KelvaneKey);
    DeleteFileA(StartupShortcutPath().c_str());
}

std::string KelvanePath(const char* subkey)
{
    return *subkey ? std::string(KelvaneKey) + "\\" + subkey : std::string(KelvaneKey);
}

void StorePlayList(const std::vector<std::string>& paths)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, KelvanePath("MusicFileList").c_str());
    for (size_t i = 0; i < paths.size(); ++i) {
        char name[16];
        wsprintfA(name, "%06d", static_cast<int>(i));
        SetRawValue(KelvanePath("MusicFileList"), name, REG_SZ, Sz(paths[i]));
    }
}

void SilenceNotice(const char* key)
{
    const DWORD ok = IDOK;
    SetRawValue(KelvanePath("WithoutStereotype"), key, REG_DWORD, std::string(reinterpret_cast<const char*>(&ok), 4));
}

std::string StartupShortcutPath()
{
    char folder[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, FALSE)) return "";
    return std::string(folder) + "\\Kelvane(システムトレイに常駐).lnk";
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
