// Starts a program built on the process entry as a real process with real command lines
// and reads back, from the registry, what its entry parsed and kept.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "KelvaneRun.h"
#include "ReportedWindowsVersion.h"
#include "ShellOpenRecorder.h"
#include "support/ChildProcess.h"
#include "support/SavedValue.h"
#include "support/TempFolder.h"
#include "support/Wait.h"

namespace {

const char* probeKey = EntryProbeKey;

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

struct THelpDocument {
    const char* wineVersion;
    const char* extension; // of the document the help switch opens
};

void PrintTo(const THelpDocument& document, std::ostream* out) { *out << document.wineVersion; }

class HelpSwitch : public ProcessEntry, public ::testing::WithParamInterface<THelpDocument> {};

// With the help beside the program, "/help" opens it through the shell and ends the process
// with -1 before the application runs: the .HLP where the system has WinHelp (XP), the page
// from Vista on. The document's type is pointed, for this test only, at the probe itself,
// which then records the path it was asked to open.
TEST_P(HelpSwitch, OpensTheHelpTheSystemCanShowAndEnds)
{
    const TReportedWindowsVersion reported(GetParam().wineVersion);
    TTempFolder folder;
    std::string copy = folder.Path() + "\\HelpProbe.exe";
    ASSERT_TRUE(CopyFileA(probe.c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(TTempFolder::Write(folder.Path() + "\\HelpProbe.HLP", "?_"));
    ASSERT_TRUE(TTempFolder::Write(folder.Path() + "\\HelpProbe.html", "<p>"));
    TShellOpenRecorder shell(GetParam().extension);

    EXPECT_EQ(static_cast<DWORD>(-1), RunProcess("\"" + copy + "\" /HELP"));
    const std::string opened = shell.WaitForOpened(20000);
    EXPECT_EQ((std::vector<std::string>{"/opened"}), ReadList("Switches"));
    const std::string expected = folder.Path() + "\\HelpProbe" + GetParam().extension;
    EXPECT_EQ(0, lstrcmpiA(expected.c_str(), opened.c_str())) << opened;
}

INSTANTIATE_TEST_SUITE_P(Wine, HelpSwitch,
                         ::testing::Values(THelpDocument{"winxp", ".HLP"}, THelpDocument{"win10", ".html"}),
                         [](const ::testing::TestParamInfo<THelpDocument>& document) {
                             return std::string(document.param.wineVersion);
                         });
