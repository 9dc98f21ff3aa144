// The real kelvane.exe under Wine: starts, the settings window, the tray, playback heard in
// the null sink, the start-up shortcut, the version window, and the whole program under the
// Windows versions that Wine can report.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

#include <objbase.h>
#include <shellapi.h>

#include "KelvaneProcessTest.h"
#include "KelvaneRun.h"
#include "ReportedWindowsVersion.h"
#include "ShellOpenRecorder.h"
#include "SinkRecording.h"
#include "foundation/ShellLink.h"
#include "support/ChildProcess.h"
#include "support/ForeignNames.h"
#include "support/ScreenPixels.h"
#include "support/TempFolder.h"
#include "support/UnixCommand.h"
#include "support/Wait.h"
#include "support/WideText.h"

namespace {

const double lowHz = 440, highHz = 880, splitHz = 660;
const double toneSeconds = 0.6;
const int toneWindows = 30; // 20-ms windows in one tone
const char versionTitle[] = "Kelvane ﾊﾞｰｼﾞｮﾝ情報";

// The left part of a shape's button as it is on the screen, where the button draws its icon,
// once the shape and the button have painted all they had to.
std::vector<COLORREF> ButtonIconPixels(HWND shape, int id)
{
    HWND control = GetDlgItem(shape, id);
    RECT button{};
    if (!GetWindowRect(control, &button)) return {};
    // Both update regions empty, then a message handled: the painting that emptied them is over.
    const bool painted = WaitUntil([&] { return !GetUpdateRect(shape, nullptr, FALSE) && !GetUpdateRect(control, nullptr, FALSE); },
                                   5000, "the settings window's painting");
    TPlayerSnapshot player;
    if (!painted || !QueryPlayer(shape, player)) return {};
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> pixels = CapturePixels(screen, button.left, button.top, 24, button.bottom - button.top);
    ReleaseDC(nullptr, screen);
    return pixels;
}

class KelvaneAppTest : public TKelvaneProcessTest {
protected:
    std::string Tone(const char* name, double frequency, double seconds = toneSeconds)
    {
        std::string path = folder.Path() + "\\" + name;
        EXPECT_TRUE(WriteToneFile(path, frequency, seconds));
        return path;
    }

    TTempFolder folder;
};

// Wine's taskbar draws its icons itself, from the right end, each in a small-icon box with
// a 3-pixel border; the program's is the only one there.
bool TrayIconCentre(POINT& centre)
{
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    RECT rect;
    if (!tray || !GetWindowRect(tray, &rect)) return false;
    const int box = GetSystemMetrics(SM_CXSMICON) + 6;
    centre = POINT{rect.right - box / 2, (rect.top + rect.bottom) / 2};
    return true;
}

// Waits until what the recorder has captured so far (looked at again as it grows) is `enough`.
::testing::AssertionResult RecordUntil(const TSinkRecording& recording,
                                       const std::function<bool(const std::string& windows)>& enough,
                                       DWORD timeoutMs, const char* what)
{
    size_t looked = 0;
    return WaitUntil(
        [&] {
            if (recording.Recorded() < looked + TSinkRecording::SampleRate / 10) return false;
            looked = recording.Recorded();
            return enough(ToneWindows(recording.Peek(), splitHz));
        },
        timeoutMs, what);
}

bool ClickAt(POINT point)
{
    char arguments[96];
    wsprintfA(arguments, "mousemove %ld %ld click 1", point.x, point.y);
    return RunXdotool(arguments);
}

// Records 1.8 s from now: what was on its way to the sink when the player stopped ends at
// once, and nothing plays after it.
void ExpectTheSoundHasStopped()
{
    TSinkRecording silence;
    EXPECT_TRUE(RecordUntil(silence, [](const std::string& windows) { return windows.size() >= 90; }, 10000,
                            "1.8 s recorded after the stop"));
    const std::string quiet = ToneWindows(silence.Stop(), splitHz);
    const size_t drained = std::min(quiet.find('.'), quiet.size());
    EXPECT_LE(drained, 25u) << quiet;
    EXPECT_EQ(SoundBursts(quiet.substr(drained), 3), 0) << quiet;
}

// Something is drawn where the tray icon belongs: the empty taskbar there is of one colour.
bool TrayIconShows()
{
    POINT centre{};
    if (!TrayIconCentre(centre)) return false;
    const int size = GetSystemMetrics(SM_CXSMICON);
    HDC screen = GetDC(nullptr);
    const std::vector<COLORREF> pixels = CapturePixels(screen, centre.x - size / 2, centre.y - size / 2, size, size);
    ReleaseDC(nullptr, screen);
    return std::any_of(pixels.begin(), pixels.end(), [&](COLORREF pixel) { return pixel != pixels.front(); });
}

// A click on the tray icon of a playing program stops the sound; the next one starts it again.
void ExpectTrayClicksStopAndRestartTheSound(HWND main)
{
    POINT icon{};
    ASSERT_TRUE(TrayIconCentre(icon));
    ASSERT_TRUE(ClickAt(icon));
    ASSERT_TRUE(WaitForPlayerState(main, 3, 5000));
    ExpectTheSoundHasStopped();

    // A little aside from the first click, so that the two are never taken for a double click.
    ASSERT_TRUE(ClickAt(POINT{icon.x - 5, icon.y}));
    ASSERT_TRUE(WaitForPlayerState(main, 1, 5000));
    TSinkRecording again;
    EXPECT_TRUE(RecordUntil(again, [](const std::string& windows) { return windows.size() >= 75; }, 10000,
                            "1.5 s recorded after the start"));
    const std::string resumed = ToneWindows(again.Stop(), splitHz);
    EXPECT_GE(SoundBursts(resumed, 10), 1) << resumed;
}

} // namespace

TEST_F(KelvaneAppTest, ManualStartShowsSettingsAndCancelOrCloseBoxLeavesNoTrace)
{
    for (int road = 0; road < 2; ++road) {
        TKelvaneRun run("");
        HWND main = run.MainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(WaitUntilShown(main));
        EXPECT_TRUE(IsWindowEnabled(main));
        TPlayerSnapshot player;
        ASSERT_TRUE(QueryPlayer(main, player));
        EXPECT_EQ(player.tip, "") << "no tray icon before the first OK";
        EXPECT_EQ(player.entries, 0);
        if (road == 0)
            PressButton(main, IDCANCEL);
        else
            PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(run.EndedCleanly()) << "road " << road;
        EXPECT_FALSE(KeyExists(KelvaneKey)) << "road " << road;
        EXPECT_FALSE(FileExists(StartupShortcutPath()));
    }
}

TEST_F(KelvaneAppTest, FirstOkRegistersTheShortcutSavesAndPlaysUntilExitUnregisters)
{
    const std::string tone = Tone("first.wav", lowHz, 3.0);
    const std::string program = ProgramBesideTests("kelvane.exe");
    TKelvaneRun run("\"" + tone + "\"");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntilShown(main)) << DescribeShapes();
    PressButton(main, IDOK);
    HWND notice = WaitForOwnedShape(main, "Kelvane", 10000);
    ASSERT_NE(notice, nullptr) << "the Register notice; " << run.Describe() << "\n" << DescribeShapes();
    // Shown as display text, whose punctuation is half-width.
    EXPECT_NE(ChildTexts(notice).find("ｼｽﾃﾑ起動時にKelvaneを起動する設定を行いました"), std::string::npos);
    PressButton(notice, IDOK);

    TPlayerSnapshot player;
    EXPECT_TRUE(WaitForPlayerState(main, 1, 10000, &player));
    EXPECT_EQ(player.tip, tone);
    EXPECT_FALSE(IsWindowVisible(main));
    ASSERT_TRUE(FileExists(StartupShortcutPath()));
    THeapString target, arguments;
    EXPECT_TRUE(ResolveShortcut(StartupShortcutPath().c_str(), &target, &arguments, nullptr, nullptr));
    EXPECT_STREQ(target, program.c_str());
    EXPECT_STREQ(arguments, "/restore");
    EXPECT_EQ(ReadText(KelvanePath("MusicFileList"), "000000"), tone);
    EXPECT_TRUE(ValueExists(KelvanePath(""), "SelectText")) << "saved before the first draw, so empty";

    PostMessageA(main, WM_COMMAND, 199, 0);
    notice = WaitForOwnedShape(main, "Kelvane", 10000);
    ASSERT_NE(notice, nullptr) << "the Unregister notice; " << run.Describe();
    EXPECT_NE(ChildTexts(notice).find("\"" + program + "\""), std::string::npos);
    PressButton(notice, IDOK);
    ASSERT_TRUE(run.EndedCleanly());
    EXPECT_FALSE(FileExists(StartupShortcutPath()));
    EXPECT_EQ(ReadText(KelvanePath("MusicFileList"), "000000"), tone) << "Exit keeps the stored list";
}

TEST_F(KelvaneAppTest, SilencedNoticesStayAwayAndTheShortcutStillComesAndGoes)
{
    SilenceNotice("Register");
    SilenceNotice("Unregister");
    TKelvaneRun run("");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntilShown(main));
    PressButton(main, IDOK);
    ASSERT_TRUE(Settle(main));
    EXPECT_EQ(WaitForOwnedShape(main, "Kelvane", 0), nullptr);
    TPlayerSnapshot player;
    ASSERT_TRUE(QueryPlayer(main, player));
    EXPECT_EQ(player.state, 3) << "an empty list stays stopped";
    EXPECT_EQ(player.tip, "Kelvane");
    EXPECT_TRUE(FileExists(StartupShortcutPath()));
    PostMessageA(main, WM_COMMAND, 199, 0);
    ASSERT_TRUE(run.EndedCleanly());
    EXPECT_FALSE(FileExists(StartupShortcutPath()));
}

TEST_F(KelvaneAppTest, SecondCopyEndsAndBringsUpTheRunningCopysSettings)
{
    TKelvaneRun first("/RESTORE:7");
    HWND main = first.MainWindow();
    ASSERT_NE(main, nullptr);
    TPlayerSnapshot player;
    ASSERT_TRUE(WaitForPlayerState(main, 0, 10000, &player));
    EXPECT_EQ(player.tip, "Kelvane") << "an automatic start puts the icon in the tray";
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_FALSE(IsWindowEnabled(main));

    TKelvaneRun second("");
    ASSERT_TRUE(second.EndedCleanly());
    EXPECT_TRUE(WaitUntilShown(main));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }, 5000, "the settings window in front"));
    EXPECT_EQ(FindMainWindow(), main);
}

// An automatic start fetches the help button's icon only when its window is first shown,
// after playback has moved the current folder: the icon must be the one a manual start shows.
TEST_F(KelvaneAppTest, HelpButtonShowsTheSameIconAfterAnAutomaticStartAsAfterAManualOne)
{
    std::vector<COLORREF> manual;
    {
        TKelvaneRun run("");
        HWND main = run.MainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(WaitUntilShown(main));
        manual = ButtonIconPixels(main, 9);
        PressButton(main, IDCANCEL);
        ASSERT_TRUE(run.Ended(15000));
    }
    StorePlayList({Tone("long.wav", lowHz, 10.0)});
    TKelvaneRun first("/restore");
    HWND main = first.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForPlayerState(main, 1, 10000));
    TKelvaneRun second("");
    ASSERT_TRUE(second.Ended(15000));
    ASSERT_TRUE(WaitUntilShown(main));
    ASSERT_FALSE(manual.empty());
    EXPECT_TRUE(ButtonIconPixels(main, 9) == manual);
}

TEST_F(KelvaneAppTest, TwoTonesAlternateAndTrayClicksStopAndStartAgain)
{
    if (!HaveUnixProgram("Z:\\usr\\bin\\parec")) GTEST_SKIP() << "no parec";
    StorePlayList({Tone("low.wav", lowHz), Tone("high.wav", highHz)});
    TSinkRecording recording;
    ASSERT_TRUE(recording.Started());
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForPlayerState(main, 1, 10000));
    // Eight runs: the first and the last may be cut by the recording's edges.
    EXPECT_TRUE(RecordUntil(recording, [](const std::string& windows) { return ToneRuns(windows).size() >= 8; },
                            20000, "eight runs of tone recorded"));
    const std::string windows = ToneWindows(recording.Stop(), splitHz);
    const std::vector<TToneRun> runs = ToneRuns(windows);
    ASSERT_GE(runs.size(), 7u) << windows;
    // Runs of one tone join the same tone played twice: every whole run is one track.
    for (size_t i = 1; i + 1 < runs.size(); ++i)
        EXPECT_LE(runs[i].windows, toneWindows * 3 / 2) << "run " << i << " in " << windows;

    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    ExpectTrayClicksStopAndRestartTheSound(main);
}

struct TWindowsVersion {
    const char* wineName;
    DWORD major;
};

void PrintTo(const TWindowsVersion& version, std::ostream* out) { *out << version.wineName; }

class WindowsVersionTest : public KelvaneAppTest, public ::testing::WithParamInterface<TWindowsVersion> {};

// The whole program, with Wine telling it that it runs on another Windows: a manual start, OK,
// the tray icon stopping and restarting the sound, and Exit.
TEST_P(WindowsVersionTest, ManualStartOkTrayClicksAndExit)
{
    if (!HaveUnixProgram("Z:\\usr\\bin\\parec") || !HaveXdotool()) GTEST_SKIP() << "no parec or xdotool";
    TReportedWindowsVersion reported(GetParam().wineName);
    ASSERT_EQ(MajorVersionOfANewProgram(), GetParam().major);
    SilenceNotice("Register");
    SilenceNotice("Unregister");
    TKelvaneRun run("\"" + Tone("tone.wav", lowHz, 2.0) + "\"");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntilShown(main));
    PressButton(main, IDOK);
    ASSERT_TRUE(WaitForPlayerState(main, 1, 10000)) << run.Describe();
    EXPECT_TRUE(FileExists(StartupShortcutPath()));
    ExpectTrayClicksStopAndRestartTheSound(main);

    PostMessageA(main, WM_COMMAND, 199, 0);
    ASSERT_TRUE(run.EndedCleanly());
    EXPECT_FALSE(FileExists(StartupShortcutPath()));
}

INSTANTIATE_TEST_SUITE_P(Wine, WindowsVersionTest,
                         ::testing::Values(TWindowsVersion{"winxp", 5}, TWindowsVersion{"win10", 10}),
                         [](const ::testing::TestParamInfo<TWindowsVersion>& version) {
                             return std::string(version.param.wineName);
                         });

TEST_F(KelvaneAppTest, OneEntryRepeats)
{
    if (!HaveUnixProgram("Z:\\usr\\bin\\parec")) GTEST_SKIP() << "no parec";
    StorePlayList({Tone("only.wav", highHz)});
    TSinkRecording recording;
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForPlayerState(main, 1, 10000));
    // Only the high tone plays, so a low window is the fade at a tone's edge: a boundary as
    // much as silence is, for the gap between two plays can be shorter than one window.
    const auto plays = [](std::string windows) {
        std::replace(windows.begin(), windows.end(), 'L', '.');
        return SoundBursts(windows, toneWindows / 2);
    };
    EXPECT_TRUE(RecordUntil(recording, [&](const std::string& windows) { return plays(windows) >= 3; }, 20000,
                            "three plays recorded"));
    const std::string windows = ToneWindows(recording.Stop(), splitHz);
    EXPECT_GE(plays(windows), 3) << windows;
    for (const TToneRun& run : ToneRuns(windows)) EXPECT_EQ(run.tone, 'H') << windows;
}

// A pause holds the file: Play goes on with the same tone to its end, and only then comes the other.
TEST_F(KelvaneAppTest, PauseThenPlayGoesOnWithTheSameFileToItsEnd)
{
    if (!HaveUnixProgram("Z:\\usr\\bin\\parec")) GTEST_SKIP() << "no parec";
    const double seconds = 3.0;
    const std::string low = Tone("long-low.wav", lowHz, seconds), high = Tone("long-high.wav", highHz, seconds);
    StorePlayList({low, high});
    TSinkRecording recording;
    ASSERT_TRUE(recording.Started());
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    TPlayerSnapshot player;
    ASSERT_TRUE(WaitForPlayerState(main, 1, 10000, &player));
    const std::string first = player.currentFile;
    const char tone = first == low ? 'L' : 'H';
    ASSERT_TRUE(RecordUntil(recording,
                            [tone](const std::string& windows) { return std::count(windows.begin(), windows.end(), tone) >= 40; },
                            10000, "0.8 s of the first tone"));
    PostMessageA(main, WM_COMMAND, 203, 0);
    ASSERT_TRUE(WaitForPlayerState(main, 2, 5000));
    PostMessageA(main, WM_COMMAND, 202, 0);
    ASSERT_TRUE(WaitForPlayerState(main, 1, 5000, &player));
    EXPECT_EQ(player.currentFile, first);

    EXPECT_TRUE(RecordUntil(recording, [](const std::string& windows) { return ToneRuns(windows).size() >= 2; }, 15000,
                            "the other tone after the first"));
    const std::string windows = ToneWindows(recording.Stop(), splitHz);
    const std::vector<TToneRun> runs = ToneRuns(windows);
    ASSERT_GE(runs.size(), 2u) << windows;
    EXPECT_EQ(runs[0].tone, tone) << windows;
    // All of it, before and after the pause: 150 windows less the fades and a window or two lost.
    EXPECT_GE(runs[0].windows, static_cast<int>(seconds * 50 * 0.9)) << windows;
    EXPECT_NE(runs[1].tone, tone) << windows;
}

// Names outside the code page, given on the command line as Explorer passes them: stored by
// names that open, and each of them plays.
TEST_F(KelvaneAppTest, FilesNamedOutsideTheCodePageAreStoredAndPlayed)
{
    if (!HaveUnixProgram("Z:\\usr\\bin\\parec")) GTEST_SKIP() << "no parec";
    SilenceNotice("Register");
    std::wstring arguments;
    int made = 0;
    for (const wchar_t* name : ForeignNames) {
        ++made;
        const std::string tone = Tone(("tone" + std::to_string(made) + ".wav").c_str(), made % 2 ? lowHz : highHz, 0.5);
        const std::wstring path = Wide(folder.Path("")) + name;
        ASSERT_TRUE(MoveFileW(Wide(tone).c_str(), path.c_str()));
        arguments += L"\"" + path + L"\" ";
    }
    TKelvaneRun run(arguments);
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntilShown(main)) << DescribeShapes();
    PressButton(main, IDOK);
    TPlayerSnapshot player;
    ASSERT_TRUE(WaitForPlayerState(main, 1, 10000, &player)) << run.Describe();
    ASSERT_EQ(player.entries, 3);
    std::set<std::string> stored;
    for (const auto& [name, path] : ValuesOf(KelvanePath("MusicFileList"))) {
        EXPECT_TRUE(OpensAsAnsi(path)) << name << " " << path;
        stored.insert(path);
    }
    EXPECT_EQ(stored.size(), 3u);

    // A file that failed to open would stop the chain: it goes on through all three.
    TSinkRecording recording;
    std::set<std::string> played;
    EXPECT_TRUE(WaitUntil(
        [&] {
            if (QueryPlayer(main, player) && player.state == 1) played.insert(player.currentFile);
            return played.size() == stored.size();
        },
        30000, "every entry played"));
    EXPECT_EQ(played, stored);
    // Heard: both pitches, for as long as three tones last.
    EXPECT_TRUE(RecordUntil(
        recording,
        [](const std::string& windows) {
            return windows.find('L') != std::string::npos && windows.find('H') != std::string::npos &&
                   std::count(windows.begin(), windows.end(), '.') + 75 <= static_cast<long>(windows.size());
        },
        10000, "1.5 s of both tones"));
}

TEST_F(KelvaneAppTest, UnplayableFileStopsSilentlyInTheChainAndReportsWhenChosen)
{
    const std::string broken = folder.Path() + "\\broken.wav";
    ASSERT_TRUE(TTempFolder::Write(broken, "this is no wave file"));
    StorePlayList({broken});
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForPlayerState(main, 3, 10000));
    ASSERT_TRUE(Settle(main));
    EXPECT_EQ(WaitForOwnedShape(main, "MCI Error", 0), nullptr);

    PostMessageA(main, WM_COMMAND, 202, 0);
    HWND box = WaitForOwnedShape(main, "MCI Error", 10000);
    ASSERT_NE(box, nullptr);
    TPlayerSnapshot player;
    ASSERT_TRUE(QueryPlayer(main, player));
    EXPECT_EQ(player.state, 3);
    PressButton(box, IDOK);
    EXPECT_TRUE(WaitUntilGone(box));
    EXPECT_TRUE(WaitForPlayerState(main, 3, 5000, &player));
    EXPECT_EQ(player.tip, "Kelvane");
    EXPECT_EQ(CountShapes("MCI Error"), 0) << "one box per Play";
}

TEST_F(KelvaneAppTest, TrayTipFollowsThePlayingFileCutTo63Bytes)
{
    std::string name = "tip";
    const size_t wanted = 70;
    const size_t fixed = folder.Path().size() + 1 + std::string(".wav").size();
    ASSERT_LT(fixed + name.size(), wanted);
    name.append(wanted - fixed - name.size(), 'x');
    const std::string path = Tone((name + ".wav").c_str(), lowHz, 5.0);
    ASSERT_EQ(path.size(), wanted);
    StorePlayList({path});
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    TPlayerSnapshot player;
    ASSERT_TRUE(WaitForPlayerState(main, 1, 10000, &player));
    EXPECT_EQ(player.currentFile, path);
    EXPECT_EQ(player.tip, path.substr(0, 63));
}

TEST_F(KelvaneAppTest, CancelWhileResidentRestoresTheStoredListAndExitDeletesTheShortcut)
{
    StorePlayList({Tone("stored.wav", lowHz, 3.0)});
    SilenceNotice("Unregister");
    const std::string shortcut = StartupShortcutPath();
    ASSERT_TRUE(TTempFolder::Write(shortcut, "stands in for the shortcut"));
    TKelvaneRun run("/restore \"" + Tone("extra.wav", highHz) + "\"");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    TPlayerSnapshot player;
    ASSERT_TRUE(WaitForPlayerState(main, 1, 10000, &player)) << run.Describe() << "\n" << DescribeShapes();
    EXPECT_EQ(player.entries, 2);

    PostMessageA(main, WM_COMMAND, 201, 0);
    ASSERT_TRUE(WaitUntilShown(main));
    PressButton(main, IDCANCEL);
    ASSERT_TRUE(WaitUntilHidden(main));
    ASSERT_TRUE(QueryPlayer(main, player));
    EXPECT_EQ(player.entries, 1);
    EXPECT_TRUE(FileExists(shortcut)) << "Cancel while resident ends nothing";

    PostMessageA(main, WM_COMMAND, 199, 0);
    ASSERT_TRUE(run.EndedCleanly());
    EXPECT_FALSE(FileExists(shortcut));
}

TEST_F(KelvaneAppTest, VersionWindowOpensOnceWithThePaddedBuildStamp)
{
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, 905, 0);
    HWND version = WaitForOwnedShape(main, versionTitle, 10000);
    ASSERT_NE(version, nullptr);
    PostMessageA(main, WM_COMMAND, 905, 0);
    PostMessageA(main, WM_COMMAND, 905, 0);
    ASSERT_TRUE(Settle(main)); // both handled
    EXPECT_EQ(CountShapes(versionTitle), 1);
    const std::string texts = ChildTexts(version);
    EXPECT_NE(texts.find("平成12年 3月 8日"), std::string::npos) << texts;
    EXPECT_NE(texts.find("午前 2時21分 5秒"), std::string::npos) << texts;
    PressButton(version, IDOK);
    EXPECT_TRUE(WaitUntilGone(version, 5000));
}

// Windows XP has WinHelp: Help opens the .HLP in it, and Exit closes it again.
TEST_F(KelvaneAppTest, HelpOnWindowsXpOpensWinHelpAndExitClosesIt)
{
    if (GetFileAttributesA(ProgramBesideTests("Kelvane.HLP").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no help file beside the program";
    const TReportedWindowsVersion reported("winxp");
    ASSERT_EQ(MajorVersionOfANewProgram(), 5u);
    TShellOpenRecorder pages(".html");
    SilenceNotice("Unregister");
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, 9, 0);
    HWND help = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (help = FindWindowA("MS_WINHELP", nullptr)) && IsWindowVisible(help); }, 15000,
                          "a WinHelp window showing"));
    char title[256] = "";
    GetWindowTextA(help, title, sizeof title);
    EXPECT_NE(std::string(title).find("Kelvane"), std::string::npos) << title;
    EXPECT_FALSE(pages.Opened()) << "WinHelp, not the page";

    PostMessageA(main, WM_COMMAND, 199, 0);
    ASSERT_TRUE(run.Ended(15000));
    EXPECT_TRUE(WaitUntilGone(help)) << "HELP_QUIT at Exit";
}

// Windows Vista to 11 have no WinHelp: the tray menu's Help (and F1, which sends the same
// command) and "/?" open the page beside the program with the user's browser. The ".html"
// type is pointed, for this test only, at the entry probe, which records what it was given.
TEST_F(KelvaneAppTest, HelpFromWindowsVistaOnOpensThePageBesideTheProgram)
{
    const std::string page = ProgramBesideTests("Kelvane.html");
    if (GetFileAttributesA(page.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no help page beside the program";
    const TReportedWindowsVersion reported("win10");
    ASSERT_EQ(MajorVersionOfANewProgram(), 10u);
    SilenceNotice("Unregister");
    {
        TShellOpenRecorder pages(".html");
        TKelvaneRun run("/restore");
        HWND main = run.MainWindow();
        ASSERT_NE(main, nullptr);
        PostMessageA(main, WM_COMMAND, 9, 0);
        const std::string opened = pages.WaitForOpened(15000);
        EXPECT_EQ(0, lstrcmpiA(opened.c_str(), page.c_str())) << opened;
        EXPECT_EQ(FindWindowA("MS_WINHELP", nullptr), nullptr);
        PostMessageA(main, WM_COMMAND, 199, 0);
        ASSERT_TRUE(run.EndedCleanly());
    }
    TShellOpenRecorder pages(".html");
    EXPECT_EQ(RunProcess("\"" + ProgramBesideTests("kelvane.exe") + "\" /?"), static_cast<DWORD>(-1));
    const std::string opened = pages.WaitForOpened(15000);
    EXPECT_EQ(0, lstrcmpiA(opened.c_str(), page.c_str())) << opened;
}

// Explorer builds a new taskbar after a crash, an update or a display change and broadcasts
// "TaskbarCreated"; the icon, the program's only door, must come back then, not at the next
// track, which never comes while the player is stopped.
TEST_F(KelvaneAppTest, TrayIconComesBackWhenTheTaskbarIsCreatedAgain)
{
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    StorePlayList({Tone("again.wav", lowHz, 5.0)});
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForPlayerState(main, 1, 10000));
    PostMessageA(main, WM_COMMAND, 204, 0);
    ASSERT_TRUE(WaitForPlayerState(main, 3, 5000));
    ASSERT_TRUE(WaitUntil([] { return TrayIconShows(); }, 5000, "the tray icon drawn"));

    // The shell forgets the icon, as a new taskbar starts without it.
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = main;
    icon.uID = 9000;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
    ASSERT_TRUE(WaitUntil([] { return !TrayIconShows(); }, 5000, "the tray icon gone"));

    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    EXPECT_TRUE(WaitUntil([] { return TrayIconShows(); }, 5000, "the tray icon back"));
    POINT centre{};
    ASSERT_TRUE(TrayIconCentre(centre));
    ASSERT_TRUE(ClickAt(centre));
    EXPECT_TRUE(WaitForPlayerState(main, 1, 5000)) << "a click on the icon that came back starts playback";
}

// Log-off and shutdown send WM_QUERYENDSESSION, then WM_ENDSESSION, never WM_CLOSE, and end the
// process after that: the player stops and closes in WM_ENDSESSION, and the start-up shortcut
// stays, so that the next logon starts it again.
TEST_F(KelvaneAppTest, LogOffStopsTheSoundAndKeepsTheShortcut)
{
    if (!HaveUnixProgram("Z:\\usr\\bin\\parec")) GTEST_SKIP() << "no parec";
    StorePlayList({Tone("session.wav", lowHz, 10.0)});
    const std::string shortcut = StartupShortcutPath();
    ASSERT_TRUE(TTempFolder::Write(shortcut, "stands in for the shortcut"));
    TKelvaneRun run("/restore");
    HWND main = run.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForPlayerState(main, 1, 10000));

    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the player never holds up a log-off";
    ASSERT_TRUE(SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, nullptr));
    ExpectTheSoundHasStopped();
    EXPECT_FALSE(IsWindow(main)) << "closed as for WM_CLOSE";
    EXPECT_TRUE(FileExists(shortcut));
    EXPECT_TRUE(run.EndedCleanly());
}
