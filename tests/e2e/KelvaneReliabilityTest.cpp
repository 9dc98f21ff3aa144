// The real kelvane.exe facing damaged settings, files that cannot be played, no audio server,
// and long or odd paths and command lines: it never crashes or hangs and falls back quietly.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "KelvaneProcessTest.h"
#include "KelvaneRun.h"
#include "ListOrdersClient.h"
#include "SinkRecording.h"
#include "UnixStartedKelvane.h"
#include "framework/Placement.h"
#include "framework/ThreadObject.h"
#include "support/ScreenPixels.h"
#include "support/TempFolder.h"
#include "support/UnixCommand.h"
#include "support/Wait.h"

namespace {

const char libraryViewKey[] = "Software\\Orvik\\VantryLibrary\\View";
const char errorTitle[] = "MCI Error";
const int stateEmpty = 0, statePlaying = 1, stateStopped = 3;
const WPARAM playCommand = 202, stopCommand = 204, exitCommand = 199;
const UINT translucencyCommand = 63084, keepPositionMode = 63081;

// A registry value exactly as a test writes it, whatever its type and size.
struct TRaw {
    std::string key; // below HKEY_CURRENT_USER
    std::string name;
    DWORD type;
    std::string bytes;
};

void Write(const TRaw& value) { SetRawValue(value.key, value.name.c_str(), value.type, value.bytes); }

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

// The damage a test does to every value it touches: the type or the size is wrong. `good`
// holds what a reader would take if it ignored the damage.
enum TDamage { WrongType, Empty, Bytes55, Bytes57, Bytes1023, Bytes1024, Bytes4096 };
const char* const damageNames[] = {"wrong type", "empty", "55 bytes", "57 bytes", "1,023 bytes", "1,024 bytes",
                                   "4,096 bytes"};

TRaw Damaged(const std::string& key, const char* name, DWORD type, const std::string& good, TDamage damage)
{
    static const size_t sizes[] = {0, 0, 55, 57, 1023, 1024, 4096};
    switch (damage) {
    case WrongType: return {key, name, type == REG_SZ ? DWORD{REG_DWORD} : DWORD{REG_SZ}, good};
    case Empty: return {key, name, type, ""};
    default: {
        // A text's sizes count its bytes before the NUL: 1,023 is the longest that is read.
        std::string bytes = good.substr(0, good.find('\0'));
        bytes.resize(sizes[damage], type == REG_SZ ? 'x' : '\x01');
        if (type == REG_SZ) bytes += '\0';
        return {key, name, type, bytes};
    }
    }
}

// The MCI error box that a user's Play opens, answered; false when none came.
bool AnswerOneErrorBox(HWND main)
{
    HWND box = WaitForOwnedShape(main, errorTitle, 10000);
    if (!box) return false;
    PressButton(box, IDOK);
    return WaitUntilGone(box, 5000);
}

// No error box is open once the program has handled everything posted to it so far: a box
// from any of it would be up by then.
::testing::AssertionResult NoErrorBox(HWND main)
{
    ::testing::AssertionResult settled = Settle(main);
    if (settled && WaitForOwnedShape(main, errorTitle, 0)) return ::testing::AssertionFailure() << "an error box is open";
    return settled;
}

// The player's states sampled every 100 ms over a span ("?" when it did not answer): "3333"
// when it stays stopped. A chain that draws again and again shows only over time, so the span
// is the check, not a wait.
std::string StatesOver(HWND main, DWORD forMs)
{
    std::string states;
    for (DWORD waited = 0; waited <= forMs; waited += 100) {
        TPlayerSnapshot player;
        states += QueryPlayer(main, player) ? static_cast<char>('0' + player.state) : '?';
        Sleep(100);
    }
    return states;
}

// Stopped after the first draw: before it the start shows "stopped" for a moment too.
::testing::AssertionResult WaitForStopAfterADraw(HWND main, TPlayerSnapshot& player)
{
    return WaitUntil(
        [&] { return QueryPlayer(main, player) && player.state == stateStopped && !player.currentFile.empty(); },
        10000, "a stop after the first draw");
}

bool AllStopped(const std::string& states) { return states.find_first_not_of('3') == std::string::npos; }

// The window menu's translucency command: the alpha it gives, or -1 when it is not blending.
int SwitchTranslucencyOn(HWND main)
{
    PostMessageA(main, WM_SYSCOMMAND, translucencyCommand, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    WaitUntil([&] { return GetLayeredWindowAttributes(main, nullptr, &alpha, &flags) && flags != 0; }, 5000,
              "the window blending");
    return flags == LWA_ALPHA ? alpha : -1;
}

// A window whose thread takes no message once the window exists: a caller that never answers.
class THungCaller : public TThread {
public:
    THungCaller() : made(CreateEventA(nullptr, TRUE, FALSE, nullptr)), release(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        if (Start(0)) WaitForSingleObject(made, 10000);
    }
    ~THungCaller() override
    {
        SetEvent(release);
        Wait(INFINITE);
        CloseHandle(made);
        CloseHandle(release);
    }
    HWND Window() const { return window; }

private:
    void Execute() override
    {
        window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetEvent(made);
        WaitForSingleObject(release, INFINITE);
        DestroyWindow(window);
    }

    HANDLE made, release;
    HWND window = nullptr;
};

class KelvaneReliabilityTest : public TKelvaneProcessTest {
protected:
    void TearDown() override
    {
        for (const char* name : {"FontStyle", "TransparentStyle", "TransparentAlphaLevel", "TransparentColor"})
            SHDeleteValueA(HKEY_CURRENT_USER, libraryViewKey, name);
        TKelvaneProcessTest::TearDown();
    }

    // A resident start whose window, once found, is closed again at the end.
    static void EndsCleanly(TKelvaneRun& run, HWND main, const std::string& what)
    {
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(run.EndedCleanly()) << what << ": " << DescribeShapes();
    }

    TTempFolder folder;
};

} // namespace

// Every entry here fails to open: the automatic start stops silently at it; a user's Play
// reports it in one box and leaves the player stopped, with the program's name in the tip.
TEST_F(KelvaneReliabilityTest, EntriesThatCannotPlayStopTheChainSilentlyAndReportAUsersPlayOnce)
{
    const std::string empty = folder.Path() + "\\empty.wav";
    ASSERT_TRUE(TTempFolder::Write(empty, ""));
    const std::string directory = folder.Path() + "\\folder.wav";
    ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr));
    const std::vector<std::string> entries = {
        folder.Path() + "\\missing.wav", empty, directory, "D:\\Track03.cda", "D:\\Track.cda",
    };
    for (const std::string& entry : entries) {
        StorePlayList({entry});
        TKelvaneRun run("/restore");
        HWND main = run.MainWindow();
        ASSERT_NE(main, nullptr) << entry << ": " << run.Describe();
        TPlayerSnapshot player;
        EXPECT_TRUE(WaitForStopAfterADraw(main, player)) << entry << " state " << player.state;
        EXPECT_TRUE(NoErrorBox(main)) << entry << ": the chain reports nothing";

        PostMessageA(main, WM_COMMAND, playCommand, 0);
        EXPECT_TRUE(AnswerOneErrorBox(main)) << entry << ": " << DescribeShapes();
        EXPECT_TRUE(NoErrorBox(main)) << entry << ": a second box";
        EXPECT_PRED1(AllStopped, StatesOver(main, 500)) << entry;
        ASSERT_TRUE(QueryPlayer(main, player));
        EXPECT_EQ(player.tip, "Kelvane") << entry;
        EndsCleanly(run, main, entry);
    }
}

// The playing file vanishes under the player (removed on the Unix side, as a share or
// another program can): the current play ends, the next open fails, silently.
TEST_F(KelvaneReliabilityTest, FileDeletedWhilePlayingEndsTheChainSilently)
{
    const std::string tone = folder.Path() + "\\vanishing.wav";
    ASSERT_TRUE(WriteToneFile(tone, 440, 1.5));
    using TUnixName = char*(CDECL*)(LPCWSTR);
    FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (!found) GTEST_SKIP() << "not under Wine";
    const auto unixName = reinterpret_cast<TUnixName>(reinterpret_cast<void*>(found));
    std::wstring wide(tone.begin(), tone.end());
    char* unixPath = unixName(wide.c_str());
    ASSERT_NE(unixPath, nullptr);
    const std::string removal = std::string("rm -f '") + unixPath + "'";
    HeapFree(GetProcessHeap(), 0, unixPath);

    StorePlayList({tone});
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForPlayerState(main, statePlaying, 10000));
    ASSERT_TRUE(RunUnixScript(removal));
    ASSERT_FALSE(FileExists(tone));
    TPlayerSnapshot player;
    EXPECT_TRUE(WaitForPlayerState(main, stateStopped, 10000, &player)) << "state " << player.state;
    EXPECT_TRUE(NoErrorBox(main));
    EXPECT_PRED1(AllStopped, StatesOver(main, 1000));
    EndsCleanly(run, main, "deleted");
}

// Without any audio server every play fails once it has started: the automatic chain must
// stop rather than draw again and again, and a user's Play is told so once. A Windows process
// hands its children its own Unix environment, so the program is started from the Unix side.
TEST_F(KelvaneReliabilityTest, NoAudioServerStopsTheChainAndReportsAUsersPlayOnce)
{
    const std::string tone = folder.Path() + "\\unheard.wav";
    ASSERT_TRUE(WriteToneFile(tone, 440, 1.0));
    StorePlayList({tone});
    char unique[64];
    wsprintfA(unique, "kelvane-nopulse-%lu", GetCurrentProcessId());
    const std::string nowhere = std::string("/tmp/") + unique;
    ASSERT_TRUE(RunUnixScript("mkdir -p " + nowhere));
    TUnixStartedKelvane run("PULSE_SERVER=unix:" + nowhere + "/native PULSE_RUNTIME_PATH=" + nowhere, "/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);

    TPlayerSnapshot player;
    EXPECT_TRUE(WaitForStopAfterADraw(main, player)) << "state " << player.state;
    EXPECT_PRED1(AllStopped, StatesOver(main, 1500)) << "the chain goes on drawing";
    EXPECT_TRUE(NoErrorBox(main));

    PostMessageA(main, WM_COMMAND, playCommand, 0);
    EXPECT_TRUE(AnswerOneErrorBox(main)) << DescribeShapes();
    EXPECT_TRUE(NoErrorBox(main)) << "a second box";
    EXPECT_PRED1(AllStopped, StatesOver(main, 500));
    ASSERT_TRUE(QueryPlayer(main, player));
    EXPECT_EQ(player.tip, "Kelvane");

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(run.EndedCleanly());
    RunUnixScript("rm -rf " + nowhere);
}

// Values of the play list that are damaged are read as the registry gives them: a wrong type
// by its bytes up to the first NUL, a value too long for the read as missing, which (like a
// gap) ends the list. Whatever is read, the automatic start stops silently at it.
TEST_F(KelvaneReliabilityTest, DamagedPlayListValuesGiveWhatCanBeReadAndTheStartCarriesOn)
{
    const std::string list = KelvanePath("MusicFileList");
    for (TDamage damage : {WrongType, Empty, Bytes1023, Bytes1024, Bytes4096}) {
        const char* what = damageNames[damage];
        ClearKelvaneSettings();
        Write({list, "000000", REG_SZ, std::string("C:\\first.wav", 13)});
        Write(Damaged(list, "000001", REG_SZ, std::string("C:\\second.wav", 14), damage));
        Write({list, "000002", REG_SZ, std::string("C:\\third.wav", 13)});
        Write({list, "000004", REG_SZ, std::string("C:\\after the gap.wav", 21)}); // no 000003
        Write(Damaged(KelvanePath(""), "SelectText", REG_SZ, std::string("C:\\third.wav", 13), damage));
        const bool readable = damage != Bytes1024 && damage != Bytes4096;

        TKelvaneRun run("/restore");
        HWND main = run.MainWindow();
        ASSERT_NE(main, nullptr) << what << ": " << run.Describe();
        TPlayerSnapshot player;
        EXPECT_TRUE(WaitForPlayerState(main, stateStopped, 10000, &player)) << what << " state " << player.state;
        EXPECT_EQ(player.entries, readable ? 3 : 1) << what;
        EXPECT_TRUE(NoErrorBox(main)) << what;
        EndsCleanly(run, main, what);
    }
}

// A manual start over damaged window and library settings: the settings window opens where
// it would without a stored place, translucency takes its defaults, the katakana width is
// the default, and the remembered answers count as missing, so both notices are shown.
TEST_F(KelvaneReliabilityTest, DamagedWindowAndLibrarySettingsFallBackToTheDefaults)
{
    RECT opened{};
    TPlacementRecord record{};
    {
        TKelvaneRun run("");
        HWND main = run.MainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(WaitUntilShown(main));
        GetWindowRect(main, &opened);
        record.placement.length = sizeof record.placement;
        GetWindowPlacement(main, &record.placement);
        record.style = static_cast<DWORD>(GetWindowLongA(main, GWL_STYLE));
        record.extendedStyle = static_cast<DWORD>(GetWindowLongA(main, GWL_EXSTYLE));
        record.positionMode = keepPositionMode;
        PressButton(main, IDCANCEL);
        ASSERT_TRUE(run.Ended(15000));
    }
    // Moved towards the screen's middle: a stored place that leaves the screen is pulled back
    // onto it, and where the window first opens follows the pointer left by earlier tests.
    const int dx = (opened.left + opened.right) / 2 > GetSystemMetrics(SM_CXSCREEN) / 2 ? -37 : 37;
    const int dy = (opened.top + opened.bottom) / 2 > GetSystemMetrics(SM_CYSCREEN) / 2 ? -23 : 23;
    OffsetRect(&record.placement.rcNormalPosition, dx, dy);
    const std::string placement(reinterpret_cast<const char*>(&record), sizeof record);
    {
        // The same values undamaged are taken, so the damaged ones below would show if read.
        Write({KelvanePath("Serialize"), "MainShape", REG_BINARY, placement});
        Write({libraryViewKey, "FontStyle", REG_DWORD, Dword(2)});
        Write({libraryViewKey, "TransparentAlphaLevel", REG_DWORD, Dword(64)});
        TKelvaneRun run("");
        HWND main = run.MainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(WaitUntilShown(main));
        RECT frame{};
        GetWindowRect(main, &frame);
        // Full-width katakana widen the buttons, and the window keeps its new size centred
        // where the stored one was.
        const int wider = (frame.right - frame.left) - (opened.right - opened.left);
        EXPECT_EQ(frame.left, opened.left + dx - wider / 2);
        EXPECT_EQ(frame.top, opened.top + dy);
        EXPECT_NE(ChildTexts(main).find("キャンセル"), std::string::npos) << "full-width katakana";
        EXPECT_EQ(SwitchTranslucencyOn(main), 64);
        PressButton(main, IDCANCEL);
        ASSERT_TRUE(run.Ended(15000));
    }

    for (TDamage damage : {WrongType, Empty, Bytes55, Bytes57, Bytes1023, Bytes1024, Bytes4096}) {
        const char* what = damageNames[damage];
        ClearKelvaneSettings();
        const std::vector<TRaw> values = {
            Damaged(KelvanePath("Serialize"), "MainShape", REG_BINARY, placement, damage),
            Damaged(KelvanePath("Serialize"), "Register", REG_BINARY, placement, damage),
            Damaged(KelvanePath("WithoutStereotype"), "Register", REG_DWORD, Dword(IDOK), damage),
            Damaged(KelvanePath("WithoutStereotype"), "Unregister", REG_DWORD, Dword(IDOK), damage),
            Damaged(KelvanePath(""), "SelectText", REG_SZ, std::string("C:\\first.wav", 13), damage),
            Damaged(libraryViewKey, "FontStyle", REG_DWORD, Dword(2), damage),
            Damaged(libraryViewKey, "TransparentStyle", REG_DWORD, Dword(1), damage),
            Damaged(libraryViewKey, "TransparentAlphaLevel", REG_DWORD, Dword(64), damage),
        };
        for (const TRaw& value : values) Write(value);
        StorePlayList({"C:\\first.wav"});

        TKelvaneRun run("");
        HWND main = run.MainWindow();
        ASSERT_NE(main, nullptr) << what << ": " << run.Describe();
        ASSERT_TRUE(WaitUntilShown(main)) << what;
        RECT frame{};
        GetWindowRect(main, &frame);
        EXPECT_TRUE(EqualRect(&frame, &opened)) << what << ": at " << frame.left << "," << frame.top;

        EXPECT_EQ(SwitchTranslucencyOn(main), 180) << what;
        EXPECT_NE(ChildTexts(main).find("ｷｬﾝｾﾙ"), std::string::npos) << what << ": half-width katakana";

        PressButton(main, IDOK);
        HWND notice = WaitForOwnedShape(main, "Kelvane", 10000);
        ASSERT_NE(notice, nullptr) << what << ": the Register notice; " << run.Describe();
        EXPECT_NE(ChildTexts(notice).find("ｼｽﾃﾑ起動時にKelvane"), std::string::npos) << what;
        PressButton(notice, IDOK);
        EXPECT_TRUE(WaitUntilGone(notice, 5000)) << what;
        TPlayerSnapshot player;
        EXPECT_TRUE(WaitForPlayerState(main, stateStopped, 10000, &player)) << what;
        EXPECT_EQ(player.entries, 1) << what;

        PostMessageA(main, WM_COMMAND, exitCommand, 0);
        notice = WaitForOwnedShape(main, "Kelvane", 10000);
        ASSERT_NE(notice, nullptr) << what << ": the Unregister notice; " << run.Describe();
        PressButton(notice, IDOK);
        EXPECT_TRUE(run.EndedCleanly()) << what;
    }
}

namespace {

// Paths of exactly `length` bytes in one folder whose name puts a lead byte at byte 62, so
// that the tray tip's 63 bytes end on it; "表" also has the trail byte 0x5C, a backslash.
class TLongPaths {
public:
    explicit TLongPaths(const std::string& base)
    {
        folder = base + "\\";
        folder.append(62 - folder.size(), 'd');
        while (folder.size() < 150) folder += "表";
        CreateDirectoryA(folder.c_str(), nullptr); // removed with the test's temporary folder
    }

    std::string Path(size_t length) const
    {
        std::string path = folder + "\\";
        while (path.size() + 3 + 4 <= length) path += "ﾃ表";
        path.append(length - 4 - path.size(), 'x');
        return path + ".wav";
    }

    std::string folder;
};

} // namespace

// Long paths keep every byte from the command line through the play list to the registry,
// the 259-byte one plays, and the tray tip is its first 63 bytes, cut after a lead byte. Longer
// ones, which no ANSI function takes, are refused whole where they come in, and told of.
TEST_F(KelvaneReliabilityTest, LongPathsKeepEveryByteOrAreRefusedWholeAndTheTipIsCutTo63Bytes)
{
    SilenceNotice("Register");
    ASSERT_LT(folder.Path().size(), 61u);
    TLongPaths paths(folder.Path());
    const std::string playable = paths.Path(259);
    ASSERT_TRUE(WriteToneFile(playable, 440, 3.0)) << playable;
    ASSERT_EQ(static_cast<unsigned char>(playable[62]), 0x95);
    {
        StorePlayList({playable});
        TKelvaneRun run("/restore");
        HWND main = run.MainWindow();
        ASSERT_NE(main, nullptr);
        TPlayerSnapshot player;
        EXPECT_TRUE(WaitForPlayerState(main, statePlaying, 10000, &player)) << "state " << player.state;
        EXPECT_EQ(player.currentFile, playable);
        EXPECT_EQ(player.tip, playable.substr(0, 63));
        EndsCleanly(run, main, "playing");
    }

    ClearKelvaneSettings();
    SilenceNotice("Register");
    const std::vector<std::string> named = {playable, paths.Path(260), paths.Path(261), paths.Path(300)};
    std::string arguments;
    for (const std::string& path : named) arguments += "\"" + path + "\" ";
    TKelvaneRun run(arguments);
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    // The notice comes after the progress window of the adding, which carries the same title.
    HWND notice = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            notice = WaitForOwnedShape(main, "Kelvane", 0);
            return notice && ChildTexts(notice).find("3 個") != std::string::npos;
        },
        10000, "the notice of the three paths left out"))
        << DescribeShapes();
    PressButton(notice, IDOK);
    ASSERT_TRUE(WaitUntilShown(main));
    PressButton(main, IDOK);
    ASSERT_TRUE(WaitUntil([] { return ValueExists(KelvanePath("MusicFileList"), "000000"); }, 10000,
                          "the entry saved"));
    TPlayerSnapshot player;
    ASSERT_TRUE(QueryPlayer(main, player));
    EXPECT_EQ(player.entries, 1);
    EXPECT_EQ(ReadText(KelvanePath("MusicFileList"), "000000"), named[0]) << named[0].size() << " bytes";
    EXPECT_FALSE(ValueExists(KelvanePath("MusicFileList"), "000001"));
    EndsCleanly(run, main, "named");
}

// Odd command lines: each gives the play list the parser makes of it, and the program stays
// resident and answers; none of them crashes or hangs it.
TEST_F(KelvaneReliabilityTest, OddCommandLinesNeitherCrashNorHang)
{
    std::string thousand;
    for (int i = 0; i < 1000; ++i) thousand += " C:\\many\\" + std::to_string(i) + ".wav";
    const struct {
        std::string arguments;
        int entries;
    } lines[] = {
        {"\"C:\\never closed.wav", 1},
        {"\"\"", 1}, // an empty argument, which names the program's own folder
        {"\"\" \"\" C:\\between.wav \"\"", 4},
        {"a\"b c\"d.wav", 3},
        {"C:\\cut\\\x95", 1},          // ends after a lead byte
        {"\"C:\\\x95\x5C\" \"C:\\\x83\x5C\"", 2}, // a trail byte 0x5C before each closing quote
        {"/ // /: /restore: /restore:\"", 0},
        {thousand, 1000},
    };
    for (const auto& line : lines) {
        const std::string what = line.arguments.substr(0, 40);
        TKelvaneRun run("/restore " + line.arguments);
        HWND main = run.MainWindow();
        ASSERT_NE(main, nullptr) << what << ": " << run.Describe();
        TPlayerSnapshot player;
        EXPECT_TRUE(WaitForPlayerState(main, line.entries ? stateStopped : stateEmpty, 30000, &player))
            << what << " state " << player.state;
        EXPECT_EQ(player.entries, line.entries) << what;
        EndsCleanly(run, main, what);
    }
}

// A state query from a caller that never takes the answer (hung, or hostile) holds the player
// for a moment only: a command posted after it is carried out within the answer's short wait.
TEST_F(KelvaneReliabilityTest, CallerThatNeverAnswersTheStateQueryHoldsThePlayerOnlyBriefly)
{
    const std::string tone = folder.Path() + "\\held.wav";
    ASSERT_TRUE(WriteToneFile(tone, 440, 10.0));
    StorePlayList({tone});
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForPlayerState(main, statePlaying, 10000));
    THungCaller hung;
    ASSERT_NE(hung.Window(), nullptr);

    const DWORD start = GetTickCount();
    PostMessageA(main, StateQueryMessage, reinterpret_cast<WPARAM>(hung.Window()), 0);
    PostMessageA(main, WM_COMMAND, stopCommand, 0);
    EXPECT_TRUE(WaitForPlayerState(main, stateStopped, 5000)) << "the player is held by the caller";
    const DWORD held = GetTickCount() - start;
    EXPECT_GE(held, 500u) << "the answer did not wait for the caller at all";
    EXPECT_LT(held, 3000u);
    EndsCleanly(run, main, "hung caller");
}

namespace {

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM lParam)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = window;
    return FALSE;
}

// A visible dialog of the program's thread: the file dialog that Insert opens.
bool DialogOpen(HWND main)
{
    HWND found = nullptr;
    EnumThreadWindows(GetWindowThreadProcessId(main, nullptr), FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
    return found != nullptr;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer);
    return static_cast<LRESULT>(answer);
}

// Every line's display item, in line order.
std::vector<LRESULT> LineItems(HWND list)
{
    std::vector<LRESULT> items;
    const int lines = static_cast<int>(Ask(list, LB_GETCOUNT));
    for (int line = 0; line < lines; ++line) items.push_back(Ask(list, LB_GETITEMDATA, line));
    return items;
}

// The first lines on screen each show a path: their text part has more than one colour.
bool TopLinesShowTheirPaths(HWND list)
{
    const int lines = static_cast<int>(Ask(list, LB_GETCOUNT));
    const int first = static_cast<int>(Ask(list, LB_GETTOPINDEX));
    for (int line = first; line < lines && line < first + 4; ++line) {
        RECT rect{};
        Ask(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&rect));
        POINT corner{rect.left + 20, rect.top};
        ClientToScreen(list, &corner);
        HDC screen = GetDC(nullptr);
        const std::vector<COLORREF> pixels = CapturePixels(screen, corner.x, corner.y, 60, rect.bottom - rect.top);
        ReleaseDC(nullptr, screen);
        if (pixels.empty() || std::count(pixels.begin(), pixels.end(), pixels.front()) == static_cast<long>(pixels.size()))
            return false;
    }
    return true;
}

} // namespace

// A drop, Delete and Insert that arrive while two thousand dropped paths are being added (the
// batch lets the queue have its turn) are refused; the program answers within 100 ms all the
// while, its list box holds each entry once, every line draws, and the heap stays whole.
TEST_F(KelvaneReliabilityTest, InputDuringALongAdditionIsRefusedAndTheListStaysWhole)
{
    const std::string first = folder.File("first.wav", "");
    StorePlayList({first});
    Write({KelvanePath(""), "SelectText", REG_SZ, first + '\0'}); // Delete has a line to delete
    const std::vector<std::string> three{folder.File("one.wav", ""), folder.File("two.wav", ""),
                                         folder.File("three.wav", "")};
    std::vector<std::string> many;
    for (int i = 0; i < 2000; ++i) many.push_back("C:\\reentry\\" + std::to_string(i) + ".wav");

    TUnixStartedKelvane run("WINEDEBUG=warn+heap", "");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntilShown(main));
    HWND list = FindWindowExA(main, nullptr, "FileList", nullptr);
    ASSERT_NE(list, nullptr);

    // Posted together: the batch of the first drop hands the rest to the list through its pump.
    std::vector<std::string> orders = ListDrop(many);
    for (const auto& order : {ListDrop(three), ListKey(VK_DELETE), ListKey(VK_INSERT)})
        orders.insert(orders.end(), order.begin(), order.end());
    ASSERT_TRUE(PostListOrders(list, orders));

    int answeredDuringBatch = 0, late = 0;
    const auto adding = [main] { return WaitForOwnedShape(main, "Kelvane", 0) != nullptr; }; // its progress window
    TPlayerSnapshot player;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const bool before = adding();
            const DWORD sent = GetTickCount();
            DWORD_PTR ignored = 0;
            const bool answered = SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored) != 0;
            const bool after = adding();
            if (before && after && (!answered || GetTickCount() - sent > 100)) ++late;
            if (before && after && answered) ++answeredDuringBatch;
            return !after && QueryPlayer(main, player) && player.entries > 2000;
        },
        20000, "the end of the addition"));
    EXPECT_GT(answeredDuringBatch, 0) << "no message was sent while the paths were being added";
    EXPECT_EQ(late, 0) << "messages that took more than 100 ms while the paths were being added";

    ASSERT_TRUE(QueryPlayer(main, player)) << "the program does not answer";
    EXPECT_EQ(player.entries, 2001) << "the refused drop or Delete changed the list";
    EXPECT_FALSE(DialogOpen(main)) << "Insert opened its dialog";
    std::vector<LRESULT> items = LineItems(list);
    EXPECT_EQ(static_cast<int>(items.size()), player.entries) << "lines and play-list entries differ";
    EXPECT_EQ(std::count(items.begin(), items.end(), 0), 0) << "a line without its display item";
    std::sort(items.begin(), items.end());
    EXPECT_EQ(std::adjacent_find(items.begin(), items.end()), items.end()) << "two lines share one display item";
    for (int top = 0; top < static_cast<int>(items.size()); top += 4) { // every line drawn once
        Ask(list, LB_SETTOPINDEX, static_cast<WPARAM>(top));
        UpdateWindow(list);
    }
    for (int top : {0, static_cast<int>(items.size()) - 1}) {
        Ask(list, LB_SETTOPINDEX, static_cast<WPARAM>(top));
        UpdateWindow(list);
        // The program's drawing reaches the screen when its surface is flushed.
        EXPECT_TRUE(WaitUntil([list] { return TopLinesShowTheirPaths(list); }, 3000, "the lines drawn")) << top;
    }

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(run.EndedCleanly());
    const std::string log = run.Log();
    EXPECT_EQ(log.find(":heap:"), std::string::npos) << log.substr(0, 2000);
}
