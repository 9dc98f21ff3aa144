// Path operations: splitting, resolving and picking apart paths with Shift-JIS names.
#include "foundation/PathOperations.h"

#include "foundation/CommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

// 0x95 0x5C is one two-byte character whose trail byte is a backslash.
#define TRAIL_5C "\x95\x5C"

std::vector<std::string> Split(const char* path)
{
    THeapStringList list;
    list.Append("left over");
    SplitPath(path, list);
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.Item(i).Text());
    return items;
}

// FullPath reads the process-wide program path; each test sets its own and puts it back.
class FullPathTest : public ::testing::Test {
protected:
    void SetUp() override { saved = ProcessCommandLine(); }
    void TearDown() override { ProcessCommandLine() = saved; }
    void SetProgram(const char* commandLine) { ProcessCommandLine().Parse(commandLine); }

    TCommandLine saved;
};

} // namespace

TEST(PathOperations, DirectoryAndFileNameNeverCutInsideACharacter)
{
    EXPECT_STREQ("C:\\Music\\", DirectoryOf("C:\\Music\\" TRAIL_5C));
    EXPECT_STREQ(TRAIL_5C, FileNameOf("C:\\Music\\" TRAIL_5C));
    EXPECT_STREQ("C:\\" TRAIL_5C "\\", DirectoryOf("C:\\" TRAIL_5C "\\a.wav"));
    EXPECT_STREQ("a.wav", FileNameOf("C:\\" TRAIL_5C "\\a.wav"));

    EXPECT_STREQ("", DirectoryOf("a.wav"));
    EXPECT_STREQ("a.wav", FileNameOf("a.wav"));
    EXPECT_STREQ("", DirectoryOf(TRAIL_5C));
    EXPECT_STREQ("C:\\dir\\", DirectoryOf("C:\\dir\\"));
    EXPECT_STREQ("", FileNameOf("C:\\dir\\"));
    EXPECT_STREQ("", DirectoryOf(nullptr));
}

TEST(PathOperations, ExtensionIsTakenFromTheFileNameOnly)
{
    EXPECT_STREQ("wav", ExtensionOf("C:\\a.b\\song.mid.wav"));
    EXPECT_STREQ("", ExtensionOf("C:\\my.music\\song"));
    EXPECT_STREQ("", ExtensionOf("C:\\music\\song."));
    EXPECT_STREQ("", ExtensionOf("song"));
    EXPECT_STREQ("hidden", ExtensionOf("C:\\dir\\.hidden"));
    // The 0x5C after the dot is part of a character, not a folder separator.
    EXPECT_STREQ(TRAIL_5C "x", ExtensionOf("C:\\a." TRAIL_5C "x"));
    EXPECT_STREQ("", ExtensionOf(""));
}

TEST(PathOperations, SplitDropsDotsAndResolvesParentSteps)
{
    EXPECT_THAT(Split("C:\\a\\.\\b\\..\\c"), ElementsAre("C:", "a", "c"));
    EXPECT_THAT(Split("a/b\\\\c\\"), ElementsAre("a", "b", "c"));
    EXPECT_THAT(Split("."), ElementsAre());
    EXPECT_THAT(Split(""), ElementsAre());
    EXPECT_THAT(Split(".."), ElementsAre(".."));
    // Steps above the start of a relative path are kept, one for each.
    EXPECT_THAT(Split("..\\..\\x"), ElementsAre("..", "..", "x"));
    EXPECT_THAT(Split("a\\..\\..\\x"), ElementsAre("..", "x"));
    EXPECT_THAT(Split(TRAIL_5C "\\x"), ElementsAre(TRAIL_5C, "x"));
}

TEST(PathOperations, SplitKeepsRootsThatParentStepsCannotLeave)
{
    EXPECT_THAT(Split("\\\\server\\share\\x"), ElementsAre("\\\\server", "share", "x"));
    EXPECT_THAT(Split("//server/share/../.."), ElementsAre("//server", "share"));
    EXPECT_THAT(Split("C:\\..\\x"), ElementsAre("C:", "x"));
    EXPECT_THAT(Split("\\a\\..\\..\\b"), ElementsAre("", "b"));
}

TEST_F(FullPathTest, RelativePathsResolveAgainstTheProgramDirectory)
{
    SetProgram("\"C:\\Program Files\\Kelvane\\kelvane.exe\" /restore");
    EXPECT_STREQ("C:\\Program Files\\x", FullPath("..\\x"));
    EXPECT_STREQ("C:\\Program Files\\Kelvane\\a.wav", FullPath("a.wav"));
    EXPECT_STREQ("C:\\Program Files\\Kelvane\\sub\\", FullPath(".\\sub\\"));
    EXPECT_STREQ("C:\\x", FullPath("..\\..\\..\\..\\x"));
    EXPECT_STREQ("C:\\Program Files\\Kelvane\\", FullPath(""));
    EXPECT_STREQ("C:\\b.wav", FullPath("\\a\\..\\b.wav")); // rooted: on the program's drive

    SetProgram("C:\\" TRAIL_5C "\\kelvane.exe");
    EXPECT_STREQ("C:\\" TRAIL_5C "\\x.wav", FullPath("x.wav"));
    EXPECT_STREQ("C:\\x.wav", FullPath("..\\x.wav"));

    SetProgram("\\\\server\\share\\bin\\kelvane.exe");
    EXPECT_STREQ("\\\\server\\share\\x", FullPath("..\\..\\x"));
    EXPECT_STREQ("\\\\server\\share\\y", FullPath("\\y"));
}

TEST_F(FullPathTest, AbsolutePathsAreOnlyCleanedUp)
{
    SetProgram("C:\\bin\\kelvane.exe");
    EXPECT_STREQ("D:\\m\\o.wav", FullPath("D:\\m\\.\\n\\..\\o.wav"));
    EXPECT_STREQ("D:\\a\\b", FullPath("D:/a//b"));
    EXPECT_STREQ("D:\\", FullPath("D:\\a\\.."));
    EXPECT_STREQ("D:\\", FullPath("D:"));
    EXPECT_STREQ("D:\\dir\\", FullPath("D:\\dir\\"));
    EXPECT_STREQ("D:\\" TRAIL_5C "\\", FullPath("D:\\" TRAIL_5C "\\"));
    EXPECT_STREQ("\\\\srv\\share\\b", FullPath("\\\\srv\\share\\a\\..\\b"));
    EXPECT_STREQ("\\\\srv\\share\\b", FullPath("//srv/share/b"));

    // Without a program directory a relative path stays relative.
    SetProgram("kelvane.exe");
    EXPECT_STREQ("..\\x", FullPath("..\\x"));
    EXPECT_STREQ("\\x", FullPath("\\x"));
}

TEST(PathOperations, RootOfDrivesAndNetworkPaths)
{
    EXPECT_STREQ("c:\\", RootOf("c:\\music\\a.wav"));
    EXPECT_STREQ("C:\\", RootOf("C:a.wav"));
    EXPECT_STREQ("\\\\srv\\share\\", RootOf("\\\\srv\\share\\dir\\a.wav"));
    EXPECT_STREQ("\\\\srv\\share\\", RootOf("\\\\srv\\share"));
    EXPECT_STREQ("\\\\srv\\", RootOf("\\\\srv"));
    EXPECT_STREQ("\\\\srv\\", RootOf("\\\\srv\\"));
    EXPECT_STREQ("\\\\" TRAIL_5C "\\", RootOf("\\\\" TRAIL_5C));
    EXPECT_STREQ("", RootOf("\\dir\\a.wav"));
    EXPECT_STREQ("", RootOf("a.wav"));
    EXPECT_STREQ("", RootOf("1:\\a.wav"));
}

TEST(PathOperations, QuotedWrapsOnlyUnquotedText)
{
    EXPECT_STREQ("\"C:\\My Music\\a.wav\"", Quoted("C:\\My Music\\a.wav"));
    EXPECT_STREQ("\"a b\"", Quoted("\"a b\""));
    EXPECT_STREQ("\"\"", Quoted(""));
    EXPECT_STREQ("\"\"\"", Quoted("\""));
    EXPECT_STREQ("\"\"a\"", Quoted("\"a"));
    EXPECT_STREQ("a b", Unquoted(Quoted("a b")));
}

TEST(PathOperations, CommandPartSeparatesTheProgramFromItsArguments)
{
    EXPECT_STREQ("notepad.exe", CommandPart("  notepad.exe /p readme.txt "));
    EXPECT_STREQ("cmd", CommandPart("cmd \t\"x y\""));
    EXPECT_STREQ("tool", CommandPart("tool |more"));
    // A blank followed by anything else is part of the program's name.
    EXPECT_STREQ("C:\\My Tools\\a.exe", CommandPart("C:\\My Tools\\a.exe"));
    EXPECT_STREQ("a b /c", CommandPart("a b /c"));
    EXPECT_STREQ("\\bin\\", CommandPart("\\bin\\tool.exe /x"));
    EXPECT_STREQ("\\\\", CommandPart("\\\\srv\\share\\tool.exe"));
    EXPECT_STREQ("\\tool", CommandPart("\\tool"));
    EXPECT_STREQ("", CommandPart("   "));
    EXPECT_STREQ(TRAIL_5C " x", CommandPart(TRAIL_5C " x"));
}
