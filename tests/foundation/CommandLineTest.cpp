// Command-line parsing: how typed command lines split into program path, arguments and switches.
#include "foundation/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
    explicit Parsed(const char* text) { line.Parse(text); }
    TCommandLine line;
};

// What the parser made of a line: its arguments, and its switches.
std::vector<std::string> Arguments(const char* text)
{
    Parsed parsed(text);
    std::vector<std::string> words;
    for (int i = 0; i < parsed.line.ArgumentCount(); ++i) {
        words.push_back(parsed.line.Argument(i).Text());
        // The wide command line is read again at the place the parser gives.
        const auto place = parsed.line.ArgumentPlace(i);
        EXPECT_EQ(words.back(), std::string(text).substr(place.first, place.second - place.first)) << text;
    }
    return words;
}

std::vector<std::string> Switches(const char* text)
{
    Parsed parsed(text);
    std::vector<std::string> words;
    for (int i = 0; i < parsed.line.SwitchCount(); ++i) words.push_back(parsed.line.Switch(i).Text());
    return words;
}

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
    const struct {
        const char* line;
        std::vector<std::string> arguments;
    } lines[] = {
        {"prog.exe C:\\My Music\\a.wav D:\\b.wav", {"C:\\My Music\\a.wav", "D:\\b.wav"}},
        {"prog.exe my  song.wav \\\\server\\share\\x y.mid \"q r.wav\" tail",
         {"my  song.wav", "\\\\server\\share\\x y.mid", "q r.wav", "tail"}},
        {"prog.exe \"C:\\My Music\\a.wav\"", {"C:\\My Music\\a.wav"}},
        {"  prog.exe  \" a.wav \"  b.wav ", {"a.wav", "b.wav"}}, // blanks before the program and inside quotes
        // A word made only of quotes is an empty argument; an unclosed quote runs to the end.
        {"prog.exe \"\" \"open end", {"", "open end"}},
        // "\x95\x5C" ends in a backslash byte: it neither splits nor joins.
        {"prog.exe C:\\\x95\x5C\\a b.wav \\\\srv\\\x95\x5C.wav", {"C:\\\x95\x5C\\a b.wav", "\\\\srv\\\x95\x5C.wav"}},
    };
    for (const auto& line : lines) EXPECT_EQ(line.arguments, Arguments(line.line)) << line.line;
}

TEST(CommandLine, SwitchesAndTheirValues)
{
    const char text[] = "prog.exe /restore:2 a.wav /silent: \"log file.txt\" /x:\"q r\" /silently";
    EXPECT_EQ((std::vector<std::string>{"/restore:2", "/silent:", "/x:\"q r\"", "/silently"}), Switches(text));
    EXPECT_EQ((std::vector<std::string>{"a.wav", "log file.txt"}), Arguments(text));

    Parsed line(text);
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
