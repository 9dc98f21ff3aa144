// Command-line parsing: how typed command lines split into program path, arguments and switches.
#include "foundation/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct Parsed {
    explicit Parsed(const char* text) { line.Parse(text); }
    TCommandLine line;
};

} // namespace

TEST(CommandLine, ProgramPathAndHelpFile)
{
    Parsed quoted("\"C:\\Program Files\\Kelvane\\kelvane.exe\" a.wav");
    EXPECT_STREQ("C:\\Program Files\\Kelvane\\kelvane.exe", quoted.line.ProgramPath());
    EXPECT_STREQ("C:\\Program Files\\Kelvane\\kelvane.HLP", quoted.line.HelpFilePath());

    Parsed noDot("  C:\\bin\\kelvane   ");
    EXPECT_STREQ("C:\\bin\\kelvane", noDot.line.ProgramPath());
    EXPECT_STREQ("C:\\bin\\kelvane.HLP", noDot.line.HelpFilePath());
    EXPECT_EQ(0, noDot.line.ArgumentCount());

    // A dot in a folder name is not the file's extension.
    Parsed dottedFolder("C:\\my.tools\\kelvane");
    EXPECT_STREQ("C:\\my.tools\\kelvane.HLP", dottedFolder.line.HelpFilePath());

    Parsed empty("");
    EXPECT_STREQ("", empty.line.ProgramPath());
    EXPECT_EQ(0, empty.line.ArgumentCount());
    EXPECT_EQ(0, empty.line.SwitchCount());
}

TEST(CommandLine, UnquotedPathsWithBlanksStayWholeUntilTheNextDriveOrUncPath)
{
    Parsed two("prog.exe C:\\My Music\\a.wav D:\\b.wav");
    ASSERT_EQ(2, two.line.ArgumentCount());
    EXPECT_STREQ("C:\\My Music\\a.wav", two.line.Argument(0));
    EXPECT_STREQ("D:\\b.wav", two.line.Argument(1));

    Parsed unc("prog.exe my  song.wav \\\\server\\share\\x y.mid \"q r.wav\" tail");
    ASSERT_EQ(4, unc.line.ArgumentCount());
    EXPECT_STREQ("my  song.wav", unc.line.Argument(0));
    EXPECT_STREQ("\\\\server\\share\\x y.mid", unc.line.Argument(1));
    EXPECT_STREQ("q r.wav", unc.line.Argument(2));
    EXPECT_STREQ("tail", unc.line.Argument(3));

    Parsed quoted("prog.exe \"C:\\My Music\\a.wav\"");
    ASSERT_EQ(1, quoted.line.ArgumentCount());
    EXPECT_STREQ("C:\\My Music\\a.wav", quoted.line.Argument(0));

    // A word made only of quotes is an empty argument; an unclosed quote runs to the end.
    Parsed quotesOnly("prog.exe \"\" \"open end");
    ASSERT_EQ(2, quotesOnly.line.ArgumentCount());
    EXPECT_STREQ("", quotesOnly.line.Argument(0));
    EXPECT_STREQ("open end", quotesOnly.line.Argument(1));
}

TEST(CommandLine, ShiftJisTrailBytesAreNotSeparators)
{
    // "\x95\x5C" ends in a backslash byte and "\x83\x7C" in "|"; neither may split or join.
    Parsed line("prog.exe C:\\\x95\x5C\\a b.wav \\\\srv\\\x95\x5C.wav");
    ASSERT_EQ(2, line.line.ArgumentCount());
    EXPECT_STREQ("C:\\\x95\x5C\\a b.wav", line.line.Argument(0));
    EXPECT_STREQ("\\\\srv\\\x95\x5C.wav", line.line.Argument(1));
}

TEST(CommandLine, SwitchesAndTheirValues)
{
    Parsed line("prog.exe /restore:2 a.wav /silent: \"log file.txt\" /x:\"q r\" /silently");
    ASSERT_EQ(4, line.line.SwitchCount());
    EXPECT_STREQ("/restore:2", line.line.Switch(0));
    EXPECT_STREQ("/silent:", line.line.Switch(1));
    EXPECT_STREQ("/x:\"q r\"", line.line.Switch(2));
    EXPECT_STREQ("/silently", line.line.Switch(3));

    ASSERT_EQ(2, line.line.ArgumentCount());
    EXPECT_STREQ("a.wav", line.line.Argument(0));
    EXPECT_STREQ("log file.txt", line.line.Argument(1));

    EXPECT_EQ(0, line.line.FindSwitch("/RESTORE"));
    EXPECT_STREQ("2", line.line.SwitchValue(0));
    EXPECT_EQ(1, line.line.FindSwitch("/silent"));
    EXPECT_STREQ("", line.line.SwitchValue(1));
    EXPECT_STREQ("\"q r\"", line.line.SwitchValue(2));
    EXPECT_STREQ("", line.line.SwitchValue(3));
    EXPECT_EQ(3, line.line.FindSwitch("/Silently"));
    EXPECT_EQ(-1, line.line.FindSwitch("/sil"));
    EXPECT_EQ(-1, line.line.FindSwitch("restore"));
}

TEST(CommandLine, UnquotedRemovesOnlyEnclosingQuotes)
{
    EXPECT_STREQ("a b", Unquoted("\"a b\""));
    EXPECT_STREQ("\"a b", Unquoted("\"a b"));
    EXPECT_STREQ("", Unquoted("\"\""));
    EXPECT_STREQ("\"", Unquoted("\""));
    EXPECT_STREQ("x", Unquoted("x"));
}

TEST(CommandLine, RawWordsKeepBlankRunsAndQuotedRuns)
{
    THeapStringList words;
    CutRawWords("a  b\"c d\"e\t\r\n", words);
    ASSERT_EQ(6, words.Count());
    EXPECT_STREQ("a", words.Item(0));
    EXPECT_STREQ("  ", words.Item(1));
    EXPECT_STREQ("b", words.Item(2));
    EXPECT_STREQ("\"c d\"", words.Item(3));
    EXPECT_STREQ("e", words.Item(4));
    EXPECT_STREQ("\t\r\n", words.Item(5));
}
