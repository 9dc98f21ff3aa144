// Starts a program built on the process entry as a real process with real command lines
// and reads back, from the registry, what its entry parsed and kept.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "KelvaneRun.h"
#include "support/ChildProcess.h"
#include "support/SavedValue.h"
#include "support/TempFolder.h"
#include "support/Wait.h"

namespace {

const char* probeKey = "Software\\Orvik\\KelvaneTest\\EntryProbe";

// What the probe recorded under `name`: its text, its list of texts, its number.
std::string Recorded(const char* name)
{
    TRawValue value;
    return GetRawValue(probeKey, name, value) ? value.bytes : std::string("<missing>");
}

std::string ReadText(const char* name) { return Recorded(name).c_str(); }

std::vector<std::string> ReadList(const char* name)
{
    std::vector<std::string> items;
    const std::string list = Recorded(name);
    for (size_t at = 0; at < list.size() && list[at]; at += items.back().size() + 1) items.push_back(list.c_str() + at);
    return items;
}

DWORD ReadNumber(const char* name)
{
    const std::string number = Recorded(name);
    return number.size() == 4 ? *reinterpret_cast<const DWORD*>(number.data()) : 0xDEADBEEF;
}

// The key of the "open" command of an extension's file type; a type is registered when there is none.
std::string OpenCommandKey(const char* extension)
{
    std::string type = ReadText(extension, "", HKEY_CLASSES_ROOT);
    if (type.empty()) SetRawValue(extension, "", REG_SZ, Sz(type = "KelvaneTestType"), HKEY_CLASSES_ROOT);
    return type + "\\shell\\open\\command";
}

class ProcessEntry : public ::testing::Test {
protected:
    void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, probeKey); }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, probeKey); }
    std::string probe = ProgramBesideTests("EntryProbe.exe");
};

} // namespace

TEST_F(ProcessEntry, ParsesTheRealCommandLineAndRunsTheApplication)
{
    std::string line = "\"" + probe + "\" C:\\My Music\\a.wav D:\\b.wav /RESTORE:2 /silent: \"log file.txt\"";
    ASSERT_EQ(7u, RunProcess(line)); // the application's result is the exit code

    EXPECT_EQ(probe, ReadText("ProgramPath"));
    EXPECT_EQ(probe.substr(0, probe.size() - 4) + ".HLP", ReadText("HelpFilePath"));
    EXPECT_EQ("EntryProbe", ReadText("ApplicationName"));
    EXPECT_EQ((std::vector<std::string>{"C:\\My Music\\a.wav", "D:\\b.wav", "log file.txt"}), ReadList("Arguments"));
    EXPECT_EQ((std::vector<std::string>{"/RESTORE:2", "/silent:"}), ReadList("Switches"));
    EXPECT_EQ(0u, ReadNumber("RestoreIndex"));
    EXPECT_EQ("2", ReadText("RestoreValue"));
    EXPECT_EQ(1u, ReadNumber("InstanceKept"));
    EXPECT_EQ(20u, ReadNumber("TeardownRuns")); // every release routine runs, however many there are
}

TEST_F(ProcessEntry, HelpSwitchWithoutHelpFileStartsNormally)
{
    ASSERT_EQ(7u, RunProcess("\"" + probe + "\" /?"));
    EXPECT_EQ((std::vector<std::string>{"/?"}), ReadList("Switches"));
    EXPECT_EQ(static_cast<DWORD>(-1), ReadNumber("RestoreIndex"));
}

// With a help file beside the program, "/help" opens it through the shell and ends the
// process with -1 before the application runs. The ".HLP" type is pointed, for this test
// only, at the probe itself, which then records the path it was asked to open.
TEST_F(ProcessEntry, HelpSwitchOpensTheHelpFileAndEnds)
{
    TTempFolder folder;
    std::string copy = folder.Path() + "\\HelpProbe.exe";
    ASSERT_TRUE(CopyFileA(probe.c_str(), copy.c_str(), FALSE));
    std::string helpFile = folder.Path() + "\\HelpProbe.HLP";
    ASSERT_TRUE(TTempFolder::Write(helpFile, "?_"));
    const TSavedValue association(OpenCommandKey(".hlp"), "", HKEY_CLASSES_ROOT); // for this test only
    association.SetText(("\"" + probe + "\" /opened \"%1\"").c_str());

    EXPECT_EQ(static_cast<DWORD>(-1), RunProcess("\"" + copy + "\" /HELP"));
    ASSERT_TRUE(WaitUntil([] { return ValueExists(probeKey, "Switches"); }, 20000,
                          "the opened probe's record"));
    EXPECT_EQ((std::vector<std::string>{"/opened"}), ReadList("Switches"));
    std::vector<std::string> opened = ReadList("Arguments");
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(0, lstrcmpiA(helpFile.c_str(), opened[0].c_str())) << opened[0];
}
