// Opens the built Kelvane.HLP through WinHelpA as the program does (HELP_INDEX, context
// numbers, HELP_QUIT) and checks the real WinHelp window on the display.
#include "HelpFileReader.h"
#include "support/ChildProcess.h"
#include "support/Wait.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

const char* helpClass = "MS_WINHELP";   // the class WinHelpA itself looks for

// WM_GETTEXT itself, as Unicode (the topic is in a Unicode rich edit control), then in
// Shift-JIS to compare with the help file: GetWindowTextA does not ask another process.
std::string TextOf(HWND window)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length);
    std::vector<wchar_t> text(length * 2 + 2); // the ANSI rich edit needs room for its bytes
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000, &copied);
    std::vector<char> sjis(text.size() * 2 + 1);
    WideCharToMultiByte(932, 0, text.data(), -1, sjis.data(), static_cast<int>(sjis.size()), nullptr, nullptr);
    return sjis.data();
}

BOOL CALLBACK AppendChildText(HWND child, LPARAM context)
{
    *reinterpret_cast<std::string*>(context) += TextOf(child) + "\n";
    return TRUE;
}

// The text of every child window (the topic is shown in a rich edit child).
std::string ChildTexts(HWND window)
{
    std::string texts;
    EnumChildWindows(window, AppendChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

class HelpWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (GetEnvironmentVariableA("DISPLAY", nullptr, 0) == 0) GTEST_SKIP() << "no display for WinHelp";
        ASSERT_TRUE(help.Load(path)) << help.Error();
        owner = CreateWindowExA(0, "STATIC", "Kelvane help test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, owner);
    }

    void TearDown() override
    {
        if (owner) {
            WinHelpA(owner, path.c_str(), HELP_QUIT, 0);
            DestroyWindow(owner);
        }
    }

    std::string path = ProgramBesideTests("Kelvane.HLP");
    HelpFileReader help;
    HWND owner = nullptr;
};

} // namespace

TEST_F(HelpWindow, IndexOpensTheContentsTopicAndQuitClosesIt)
{
    ASSERT_TRUE(WinHelpA(owner, path.c_str(), HELP_INDEX, 0));
    HWND main = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            main = FindWindowA(helpClass, nullptr);
            return main && IsWindowVisible(main) && ChildTexts(main).find("目次") != std::string::npos;
        },
        15000, "a WinHelp window showing the contents topic"))
        << "it shows: " << (main ? TextOf(main) + " / " + ChildTexts(main) : "none");
    EXPECT_EQ(help.Title(), TextOf(main));
    std::string topic = ChildTexts(main);
    const HelpFileReader::Topic* contents = help.TopicAt(help.ContentsOffset());
    ASSERT_NE(nullptr, contents);
    EXPECT_NE(std::string::npos, topic.find(contents->title));
    EXPECT_NE(std::string::npos, topic.find("タスクトレイのアイコンとメニュー"));

    // The don't-show-again check box's context number. Wine's WinHelp accepts
    // HELP_CONTEXTPOPUP but shows nothing for it, so the number is also opened as a topic.
    EXPECT_TRUE(WinHelpA(owner, path.c_str(), HELP_CONTEXTPOPUP, 1001));
    ASSERT_TRUE(WinHelpA(owner, path.c_str(), HELP_CONTEXT, 1001));
    EXPECT_TRUE(WaitUntil([&] { return ChildTexts(main).find("Shift キーを押しながら") != std::string::npos; }, 15000,
                          "the check box's topic showing"))
        << ChildTexts(main);

    ASSERT_TRUE(WinHelpA(owner, path.c_str(), HELP_QUIT, 0));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(main); }, 15000, "WinHelp closing"));
}
