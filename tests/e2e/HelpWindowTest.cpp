// Opens the built Kelvane.HLP through WinHelpA as the program does (HELP_INDEX, context
// numbers, HELP_QUIT) and checks the real WinHelp window on the display.
#include "HelpFileReader.h"
#include "support/ChildProcess.h"
#include "support/Wait.h"
#include "support/WindowTexts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

const char* helpClass = "MS_WINHELP";   // the class WinHelpA itself looks for

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
        << "it shows: " << (main ? WindowText(main) + " / " + ChildTexts(main) : "none");
    EXPECT_EQ(help.Title(), WindowText(main));
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
