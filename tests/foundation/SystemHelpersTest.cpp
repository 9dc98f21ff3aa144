// Tests of the system helpers: sounds, texts, checks, menus, rectangles and file dialogs.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <atomic>
#include <string>
#include <vector>

#include "foundation/FileDialogs.h"
#include "foundation/MenuHelpers.h"
#include "foundation/SystemChecks.h"
#include "foundation/SystemSound.h"
#include "foundation/SystemText.h"

namespace {

struct TPlayedSound {
    std::string alias;
    HMODULE module;
    DWORD flags;
};

std::vector<TPlayedSound> played;

BOOL WINAPI RecordSound(LPCSTR sound, HMODULE module, DWORD flags)
{
    played.push_back(TPlayedSound{sound, module, flags});
    return TRUE;
}

std::string AliasPlayedForIcon(int iconId)
{
    played.clear();
    PlaySoundForIcon(iconId);
    return played.empty() ? std::string("(none)") : played.back().alias;
}

TEST(SystemSound, IconsAndKindsPlayTheirSystemAliases)
{
    TSoundPlayer previous = ReplaceSoundPlayer(RecordSound);
    EXPECT_EQ("SystemHand", AliasPlayedForIcon(32513));
    EXPECT_EQ("SystemQuestion", AliasPlayedForIcon(32514));
    EXPECT_EQ("SystemExclamation", AliasPlayedForIcon(32515));
    EXPECT_EQ("SystemAsterisk", AliasPlayedForIcon(32516));
    EXPECT_EQ(".Default", AliasPlayedForIcon(32512)); // IDI_APPLICATION has no sound of its own
    EXPECT_EQ(".Default", AliasPlayedForIcon(0));

    played.clear();
    PlaySystemSound(48);
    PlaySystemSound(17);
    ASSERT_EQ(2u, played.size());
    EXPECT_EQ("SystemExclamation", played[0].alias);
    EXPECT_EQ(".Default", played[1].alias);
    // Asynchronous, by alias, never cutting off a sound that is playing.
    EXPECT_EQ(0x12001u, played[0].flags);
    EXPECT_EQ(nullptr, played[0].module);
    ReplaceSoundPlayer(previous);
}

TEST(SystemText, ErrorTextsAndMissingResources)
{
    THeapString notFound = SystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(notFound.IsEmpty());
    EXPECT_TRUE(SystemErrorText(0x2000ABCD).IsEmpty()); // an application-defined code: no text

    // No such string in this program.
    EXPECT_TRUE(ResourceText(0xFEDC).IsEmpty());
    EXPECT_TRUE(RawResourceText(0xFEDC).IsEmpty());
    EXPECT_EQ(GetModuleHandleA(nullptr), ProgramModule());
}

TEST(SystemChecks, VersionAndPlatformAgreeWithTheSystem)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    DWORD version = SystemVersion();
    EXPECT_EQ(info.dwMajorVersion, version >> 24);
    EXPECT_EQ(info.dwMinorVersion, (version >> 16) & 0xFF);
    EXPECT_EQ(info.dwBuildNumber & 0xFFFF, version & 0xFFFF);
    EXPECT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), SystemPlatform());
}

TEST(SystemChecks, KeyStateAndPaletteDevice)
{
    BYTE saved[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    BYTE state[256];
    std::copy(saved, saved + 256, state);
    state[VK_F9] = 0x80;
    state[VK_F10] = 0x01; // toggled, not down
    SetKeyboardState(state);
    EXPECT_TRUE(IsKeyDown(VK_F9));
    EXPECT_FALSE(IsKeyDown(VK_F10));
    SetKeyboardState(saved);
    EXPECT_FALSE(IsKeyDown(VK_F9));

    HDC screen = GetDC(nullptr);
    ASSERT_NE(nullptr, screen);
    bool palette = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    EXPECT_EQ(palette, IsPaletteDevice(screen));
    if (GetDeviceCaps(screen, BITSPIXEL) > 8) {
        EXPECT_FALSE(IsPaletteDevice(screen));
    }
    ReleaseDC(nullptr, screen);
}

class MenuHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu = CreatePopupMenu();
        submenu = CreatePopupMenu();
        AppendMenuA(submenu, MF_STRING, 301, "Inner");
        AppendMenuA(menu, MF_STRING, 101, "設定(&S)...");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, 202, "再生(&P)");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), "表示");
        AppendMenuA(menu, MF_STRING, 199, "終了(&X)");
        AppendMenuA(menu, MF_STRING, 202, "Second play");
    }
    void TearDown() override { DestroyMenu(menu); } // takes the submenu with it

    HMENU menu = nullptr;    // owned
    HMENU submenu = nullptr; // owned by menu
};

TEST_F(MenuHelpersTest, FindsItemsByCommandAndCaption)
{
    EXPECT_EQ(0, MenuPositionOfCommand(menu, 101));
    EXPECT_EQ(2, MenuPositionOfCommand(menu, 202)); // the first of two
    EXPECT_EQ(4, MenuPositionOfCommand(menu, 199));
    EXPECT_EQ(-1, MenuPositionOfCommand(menu, 301)); // only the menu's own items
    EXPECT_EQ(-1, MenuPositionOfCommand(menu, 999));

    EXPECT_EQ("Second play", std::string(MenuItemText(menu, 5)));
    EXPECT_TRUE(MenuItemText(menu, 1).IsEmpty()); // separator
    EXPECT_TRUE(MenuItemText(menu, 40).IsEmpty());
    EXPECT_EQ(5, MenuPositionOfText(menu, "Second play"));
    EXPECT_EQ(-1, MenuPositionOfText(menu, "second play")); // exact, case included
    EXPECT_EQ(-1, MenuPositionOfText(menu, "Inner"));
}

TEST_F(MenuHelpersTest, JapaneseCaptionsComeBackAsShiftJis)
{
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page (LANG=ja_JP.UTF-8)";
    THeapString caption = MenuItemText(menu, 2);
    EXPECT_EQ(std::string("\x8D\xC4\x90\xB6(&P)"), std::string(caption)); // 再生(&P)
    EXPECT_EQ(std::string("表示"), std::string(MenuItemText(menu, 3)));
    // 表 ends in the byte 0x5C; the whole caption still has to match.
    EXPECT_EQ(3, MenuPositionOfText(menu, "表示"));
    EXPECT_EQ(2, MenuPositionOfText(menu, "再生(&P)"));
    EXPECT_EQ(0, MenuPositionOfText(menu, "設定(&S)..."));
    EXPECT_EQ(-1, MenuPositionOfText(menu, "再生"));
}

TEST(RectTouches, OverlapAndSharedEdgesCount)
{
    const RECT rect = {10, 10, 20, 20};
    EXPECT_TRUE(RectTouches(rect, 12, 12, 15, 15));  // inside
    EXPECT_TRUE(RectTouches(rect, 0, 0, 30, 30));    // around
    EXPECT_TRUE(RectTouches(rect, 20, 10, 30, 20));  // shares the right edge
    EXPECT_TRUE(RectTouches(rect, 0, 10, 10, 20));   // shares the left edge
    EXPECT_TRUE(RectTouches(rect, 10, 0, 20, 10));   // shares the top edge
    EXPECT_TRUE(RectTouches(rect, 10, 20, 20, 30));  // shares the bottom edge
    EXPECT_TRUE(RectTouches(rect, 0, 0, 10, 10));    // only a corner
    EXPECT_FALSE(RectTouches(rect, 21, 10, 30, 20)); // one pixel to the right
    EXPECT_FALSE(RectTouches(rect, 0, 10, 9, 20));
    EXPECT_FALSE(RectTouches(rect, 10, 0, 20, 9));
    EXPECT_FALSE(RectTouches(rect, 10, 21, 20, 30));
}

// Answers the first common dialog that the test thread opens: types a file name and
// presses OK, or presses Cancel when no name is given.
struct TDialogAnswer {
    DWORD threadId;
    const char* fileName;
    std::atomic<bool> answered;
};

BOOL CALLBACK TakeDialog(HWND window, LPARAM parameter)
{
    char className[16];
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(parameter) = window;
    return FALSE;
}

// Keeps answering until the dialog has gone: on a busy machine the dialog may appear late
// or miss an early answer, and a dialog left open would hang the test.
DWORD WINAPI AnswerDialog(void* parameter)
{
    TDialogAnswer& answer = *static_cast<TDialogAnswer*>(parameter);
    for (int attempt = 0; attempt < 1200; ++attempt) {
        Sleep(100);
        HWND dialog = nullptr;
        EnumThreadWindows(answer.threadId, TakeDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) {
            if (answer.answered) return 0;
            continue;
        }
        if (!answer.answered) Sleep(300); // let the dialog finish its set-up
        if (answer.fileName) {
            SetDlgItemTextA(dialog, cmb13, answer.fileName);
            SetDlgItemTextA(dialog, edt1, answer.fileName);
        }
        PostMessageA(dialog, WM_COMMAND, answer.fileName ? IDOK : IDCANCEL, 0);
        answer.answered = true;
        Sleep(400);
    }
    return 0;
}

class FileDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        tempFolder = folder;
        chosen = tempFolder + "kelvane_dialog_test.txt";
        FILE* file = std::fopen(chosen.c_str(), "wb");
        if (file) std::fclose(file);
        owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
        edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, owner, nullptr, nullptr, nullptr);
        SetForegroundWindow(owner);
        SetFocus(edit);
    }
    void TearDown() override
    {
        DestroyWindow(owner);
        DeleteFileA(chosen.c_str());
    }

    // Runs `ask` while a second thread answers the dialog.
    template <typename Ask> bool Answered(const char* fileName, Ask ask)
    {
        TDialogAnswer answer{GetCurrentThreadId(), fileName, false};
        HANDLE thread = CreateThread(nullptr, 0, AnswerDialog, &answer, 0, nullptr);
        bool result = ask();
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        EXPECT_TRUE(answer.answered);
        return result;
    }

    std::string tempFolder;
    std::string chosen;
    HWND owner = nullptr; // owned
    HWND edit = nullptr;  // owned by owner
};

const char textFilter[] = "Text\0*.txt\0All files\0*.*\0";

TEST_F(FileDialogsTest, OpenGivesTheChosenFileAndTheFocusBack)
{
    THeapString path = (tempFolder + "start.txt").c_str();
    bool readOnly = true;
    bool chosenFile = Answered("kelvane_dialog_test.txt", [&] {
        return AskOpenFile(path, owner, textFilter, "txt", &readOnly, "Kelvane open test");
    });
    EXPECT_TRUE(chosenFile);
    EXPECT_EQ(0, lstrcmpiA(chosen.c_str(), path));
    EXPECT_TRUE(readOnly); // the box stayed as it was offered
    EXPECT_EQ(edit, GetFocus());
}

TEST_F(FileDialogsTest, CancelLeavesThePathAlone)
{
    THeapString path = (tempFolder + "start.txt").c_str();
    EXPECT_FALSE(Answered(nullptr, [&] { return AskSaveFile(path, owner, textFilter, "txt", "Kelvane save test"); }));
    EXPECT_EQ(tempFolder + "start.txt", std::string(path));
    EXPECT_FALSE(Answered(nullptr, [&] { return AskOpenFile(path, owner, textFilter, "txt", nullptr, "Kelvane"); }));
    EXPECT_EQ(tempFolder + "start.txt", std::string(path));
    EXPECT_EQ(edit, GetFocus());
}

} // namespace
