// Tests of the system helpers: sounds, texts, checks, menus, rectangles and file dialogs.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "foundation/FileDialogs.h"
#include "foundation/MenuHelpers.h"
#include "foundation/SystemChecks.h"
#include "foundation/SystemSound.h"
#include "foundation/SystemText.h"
#include "support/DialogAnswerer.h"
#include "support/HeldKeys.h"
#include "support/Seam.h"
#include "support/TempFolder.h"

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
    TSeam sounds(ReplaceSoundPlayer, RecordSound);
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
    BYTE state[256];
    ASSERT_TRUE(GetKeyboardState(state));
    {
        THeldKeys keys({VK_F9});
        keys.Set(VK_F10, 0x01); // toggled, not down
        EXPECT_TRUE(IsKeyDown(VK_F9));
        EXPECT_FALSE(IsKeyDown(VK_F10));
    }
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

class FileDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
        edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, owner, nullptr, nullptr, nullptr);
        SetForegroundWindow(owner);
        SetFocus(edit);
    }
    void TearDown() override { DestroyWindow(owner); }

    // Runs `ask` while a second thread answers the dialog.
    template <typename Ask> bool Answered(const char* fileName, Ask ask, std::string* offeredName = nullptr)
    {
        TDialogAnswerer answerer(fileName);
        bool result = ask();
        answerer.Wait();
        EXPECT_TRUE(answerer.Answered());
        if (offeredName) *offeredName = answerer.OfferedName();
        return result;
    }

    TTempFolder temp;
    const std::string tempFolder = temp.Path() + "\\";
    const std::string chosen = temp.File("kelvane_dialog_test.txt", "");
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

// Full paths of 259 and 260 bytes typed into the open-file dialog. The name buffer holds 260
// bytes: a longer answer fails as a cancel would, and the path is left as it was. (Longer
// typed names crash inside Wine's own dialog, which copies them into a MAX_PATH buffer
// before it answers, so they cannot be tried here.)
TEST_F(FileDialogsTest, LongPathsComeBackWholeOrNotAtAll)
{
    // A folder whose name holds a two-byte character ending in 0x5C.
    std::string folder = tempFolder + "kelvane_long_\x95\x5C_";
    folder.append(200 - folder.size(), 'f');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    folder += "\\";
    const THeapString start = (tempFolder + "start.txt").c_str();
    for (size_t length : {259u, 260u}) {
        std::string name = folder;
        name.append(length - 4 - name.size(), 'n');
        name += ".txt";
        ASSERT_EQ(length, name.size());
        const bool fits = length < MAX_PATH;
        HANDLE file = fits ? CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)
                           : INVALID_HANDLE_VALUE;
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);

        THeapString path = start;
        const bool chosen = Answered(name.c_str(), [&] {
            return AskOpenFile(path, owner, textFilter, "txt", nullptr, "Kelvane long path test");
        });
        EXPECT_EQ(fits, chosen) << length;
        EXPECT_EQ(fits ? name : std::string(start), std::string(path)) << length;
        if (fits) DeleteFileA(name.c_str());
    }
    RemoveDirectoryA(folder.c_str());

    // A starting path whose file name alone is too long for the field: the dialog offers
    // its first 259 bytes, and cancelling leaves the path whole.
    std::string longName = tempFolder + std::string(296, 'x') + ".txt";
    THeapString path = longName.c_str();
    std::string offered;
    EXPECT_FALSE(Answered(nullptr, [&] { return AskOpenFile(path, owner, textFilter, "txt", nullptr, "Kelvane"); },
                          &offered));
    EXPECT_EQ(std::string(259, 'x'), offered);
    EXPECT_EQ(longName, std::string(path));
}
