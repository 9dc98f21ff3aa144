// Names from the system in UTF-16 made into paths the ANSI program opens, or left out and told of.
#include <gtest/gtest.h>

#include <string>

#include "foundation/AnsiPath.h"
#include "foundation/WideCommandLine.h"
#include "support/ForeignNames.h"
#include "support/TempFolder.h"
#include "support/WideText.h"

TEST(AnsiPathTest, EveryNameBecomesAPathThatOpensOrIsLeftOut)
{
    TTempFolder folder;
    TLeftOutPaths leftOut;
    // In the code page: unchanged, a two-byte character with a 0x5C trail byte included.
    for (const std::string& path : {folder.File("plain.wav"), folder.File("表示.wav")})
        EXPECT_STREQ(OpenableAnsiPath(Wide(path).c_str(), &leftOut), path.c_str());

    // Outside it: the short name, never the best-fit look-alike ("cafe.wav"), which names no file;
    // the folders keep the names the user gave them.
    for (const wchar_t* name : ForeignNames) {
        const THeapString ansi = OpenableAnsiPath(folder.WideFile(name).c_str(), &leftOut);
        EXPECT_TRUE(OpensAsAnsi(ansi.Text())) << ansi.Text();
        EXPECT_EQ(std::string(ansi).rfind(folder.Path() + "\\", 0), 0u) << ansi.Text();
    }
    // So too a path of fewer than MAX_PATH characters that the code page makes too long in bytes.
    std::wstring japanese(60, L'\u8868');
    CreateDirectoryW((Wide(folder.Path("")) + japanese).c_str(), nullptr);
    const std::wstring longInBytes = folder.WideFile(japanese + L"\\" + japanese + L".wav");
    ASSERT_GE(WideCharToMultiByte(CP_ACP, 0, longInBytes.c_str(), -1, nullptr, 0, nullptr, nullptr), MAX_PATH);
    const THeapString shortened = OpenableAnsiPath(longInBytes.c_str(), &leftOut);
    EXPECT_TRUE(OpensAsAnsi(shortened.Text())) << shortened.Text();
    EXPECT_LT(shortened.Length(), MAX_PATH);
    EXPECT_EQ(leftOut.Count(), 0);

    // Left out: no short name (no file there), more than MAX_PATH characters.
    const std::wstring base = Wide(folder.Path(""));
    for (const std::wstring& path : {base + L"gone-\u00e9.wav", base + std::wstring(300, L'n') + L".wav"})
        EXPECT_STREQ(OpenableAnsiPath(path.c_str(), &leftOut), "");
    ASSERT_EQ(leftOut.Count(), 2);
    EXPECT_EQ(std::string(leftOut.FirstNames().Item(0)), folder.Path("") + "gone-?.wav");
}

TEST(AnsiPathTest, TheWideCommandLineGivesArgumentsThatOpen)
{
    TTempFolder folder;
    const std::wstring cafe = folder.WideFile(ForeignNames[0]), korean = folder.WideFile(ForeignNames[1]);
    const std::wstring gone = Wide(folder.Path("")) + L"gone-\u00e9.wav";
    const std::wstring line = L" \"C:\\prog\\kelvane.exe\" /restore \"" + cafe + L"\" " + korean + L" \"\" \"" +
                              gone + L"\" /x:\u00e9 plain.wav";
    TCommandLine parsed;
    TLeftOutPaths leftOut;
    ParseWideCommandLine(line.c_str(), parsed, leftOut);
    EXPECT_STREQ(parsed.ProgramPath(), "C:\\prog\\kelvane.exe");
    ASSERT_EQ(parsed.ArgumentCount(), 4);
    EXPECT_TRUE(OpensAsAnsi(parsed.Argument(0).Text())) << parsed.Argument(0).Text();
    EXPECT_TRUE(OpensAsAnsi(parsed.Argument(1).Text())) << parsed.Argument(1).Text();
    EXPECT_STREQ(parsed.Argument(2), ""); // a word of quotes alone
    EXPECT_STREQ(parsed.Argument(3), "plain.wav");
    EXPECT_EQ(leftOut.Count(), 1);
    EXPECT_EQ(parsed.FindSwitch("/RESTORE"), 0);
    EXPECT_EQ(parsed.FindSwitch("/x"), 1);
}
