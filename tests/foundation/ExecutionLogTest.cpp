// Execution log: real log files under the temp folder, settings in a throwaway registry key,
// a fixed clock, and a display conversion that marks the converted parts with braces.
#include "foundation/ExecutionLog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/StringOperations.h"
#include "support/RegistryTestKey.h"
#include "support/TempFolder.h"

namespace {

class TFakeLogEnvironment : public TLogEnvironment {
public:
    explicit TFakeLogEnvironment(const TRegistryStore& settings) : settings(settings) {}

    const TCommandLine& CommandLine() const override { return commandLine; }
    const TRegistryStore& Settings() const override { return settings; }
    THeapString ApplicationName() const override { return THeapString("LogTest"); }
    THeapString ReceivedCommandLine() const override { return THeapString(received.c_str()); }
    TDateTime BuildStamp() const override { return {{2000, 3, 8}, {1, 2, 21, 5, 0}}; }
    TDateTime Now() const override { return now; }
    THeapString DisplayText(const char* text) const override { return Concat(Concat("{", text), "}"); }
    bool ReportCannotOpen(const char* path) override
    {
        reports.push_back(path);
        return carryOn;
    }
    void EndProcess(int exitCode) override { exitCodes.push_back(exitCode); }

    void SetCommandLine(const std::string& text)
    {
        received = text;
        commandLine.Parse(("prog.exe " + text).c_str());
    }

    TCommandLine commandLine;
    std::string received;
    const TRegistryStore& settings;
    TDateTime now = {{2000, 3, 8}, {1, 9, 5, 7, 0}};
    bool carryOn = true;
    std::vector<std::string> reports;
    std::vector<int> exitCodes;
};

class ExecutionLog : public testing::Test {
protected:
    std::vector<std::string> FileLines() const
    {
        std::vector<std::string> lines;
        const std::string bytes = TTempFolder::Read(logPath);
        for (size_t start = 0; start < bytes.size();) {
            const size_t end = bytes.find("\r\n", start);
            if (end == std::string::npos) {
                lines.push_back(bytes.substr(start) + "<no line end>");
                break;
            }
            lines.push_back(bytes.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }
    void SetSetting(const char* name, const char* text) const
    {
        key.SetRaw("Silent", name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
    }

    static std::string Silent(const std::string& path) { return "/silent:\"" + path + "\""; }
    static std::string Rule(int count) { return Repeat("─", count).Text(); }

    TRegistryTestKey key;
    TRegistryStore store = key.Store();
    TFakeLogEnvironment environment{store};
    TTempFolder temp;
    const std::string folder = temp.Folder("kelvane log"); // a blank in the path, as a user's may have
    const std::string logPath = folder + "\\run log.txt";
};

const char dateAndTime[] = "│Date & Time:平成１２年３月８日（水）　09:05:07";

} // namespace

TEST_F(ExecutionLog, WritesTheFramedHeaderStepsAndFooter)
{
    environment.SetCommandLine(Silent(logPath) + " a.wav");
    TExecutionLog log(environment);
    EXPECT_TRUE(log.Start());
    ASSERT_TRUE(log.IsOpen());
    EXPECT_EQ(logPath, log.Path().Text());
    log.Step("first\r\nstep");
    log.Step("");
    EXPECT_FALSE(log.Confirm("go on?", nullptr));
    log.Close();
    EXPECT_FALSE(log.IsOpen());
    EXPECT_TRUE(log.LastWriteSucceeded());

    const std::vector<std::string> expected = {
        "{┌" + Rule(38) + "}",
        "{│Application:LogTest}",
        "{│    version:20000308022105}",
        "{│LogTitle   :実行ログ}",
        "│CommandLine:/silent:\"" + logPath + "\" a.wav",
        dateAndTime,
        "{└" + Rule(3) + "┬" + Rule(34) + "}",
        "09:05:07{├firststep}",
        "09:05:07{├go on?}",
        "09:05:07{│　└処理を中断しました。}",
        "{┌" + Rule(3) + "┴" + Rule(34) + "}",
        dateAndTime,
        "{└" + Rule(38) + "}",
    };
    EXPECT_EQ(expected, FileLines());

    // Closed, nothing more is written.
    log.Step("late");
    log.Close();
    EXPECT_EQ(expected, FileLines());
    EXPECT_TRUE(environment.reports.empty());
    EXPECT_TRUE(environment.exitCodes.empty());
}

TEST_F(ExecutionLog, AppendsToAnExistingFile)
{
    ASSERT_TRUE(TTempFolder::Write(logPath, "earlier\r\n"));
    environment.SetCommandLine(Silent(logPath));
    for (int run = 0; run < 2; ++run) {
        TExecutionLog log(environment);
        log.Start();
        log.Close();
    }
    const std::vector<std::string> lines = FileLines();
    ASSERT_EQ(1u + 2 * 10, lines.size());
    EXPECT_EQ("earlier", lines[0]);
    EXPECT_EQ("{┌" + Rule(38) + "}", lines[1]);
    EXPECT_EQ("{└" + Rule(38) + "}", lines[10]);
    EXPECT_EQ("{┌" + Rule(38) + "}", lines[11]);
    EXPECT_EQ("{└" + Rule(38) + "}", lines[20]);
}

TEST_F(ExecutionLog, SettingsShapeTitleDatesAndTheFrame)
{
    SetSetting("Title", "nightly");
    SetSetting("DateFormat", "%yyyy%-%mm%-%dd%");
    SetSetting("TimeFormat", "%H%h"); // padded to " 9h": the tree starts after two columns
    environment.SetCommandLine(Silent(logPath));
    TExecutionLog log(environment);
    log.Start();
    EXPECT_STREQ("nightly", log.Title());
    log.End(true, "done");
    ASSERT_EQ(std::vector<int>{0}, environment.exitCodes);

    const std::vector<std::string> lines = FileLines();
    ASSERT_EQ(12u, lines.size());
    EXPECT_EQ("{│LogTitle   :nightly}", lines[3]);
    EXPECT_EQ("│Date & Time:2000-03-08　 9h", lines[5]);
    EXPECT_EQ("{└" + Rule(1) + "┬" + Rule(36) + "}", lines[6]);
    EXPECT_EQ(" 9h{├done}", lines[7]);
    EXPECT_EQ(" 9h{├正常終了しました。}", lines[8]);
    EXPECT_EQ("{┌" + Rule(1) + "┴" + Rule(36) + "}", lines[9]);

    // Without a time stamp the rules run straight.
    SetSetting("TimeFormat", "");
    DeleteFileA(logPath.c_str());
    TExecutionLog plain(environment);
    plain.Start();
    plain.Close();
    const std::vector<std::string> plainLines = FileLines();
    ASSERT_EQ(10u, plainLines.size());
    EXPECT_EQ("{└" + Rule(38) + "}", plainLines[6]);
    EXPECT_EQ("{┌" + Rule(38) + "}", plainLines[7]);
    EXPECT_EQ("│Date & Time:2000-03-08　", plainLines[8]);
}

TEST_F(ExecutionLog, AFileThatCannotBeOpenedLeavesTheLogClosed)
{
    // A folder is no file; nothing is said without "/chicken".
    environment.SetCommandLine(Silent(folder));
    TExecutionLog quiet(environment);
    EXPECT_TRUE(quiet.Start());
    EXPECT_FALSE(quiet.IsOpen());
    quiet.Step("skipped");
    quiet.Close();
    EXPECT_TRUE(environment.reports.empty());

    environment.SetCommandLine("/chicken " + Silent(folder));
    TExecutionLog told(environment);
    told.Start();
    EXPECT_EQ(std::vector<std::string>{folder}, environment.reports);
    EXPECT_TRUE(environment.exitCodes.empty());

    environment.carryOn = false;
    TExecutionLog stopped(environment);
    stopped.Start();
    EXPECT_EQ(std::vector<int>{-1}, environment.exitCodes);

    // Without a name there is nothing to open, but silence was asked for.
    environment.reports.clear();
    environment.carryOn = true;
    for (const char* line : {"/silent", "/silent:", "/silent:\"\""}) {
        environment.SetCommandLine(line);
        TExecutionLog unnamed(environment);
        EXPECT_TRUE(unnamed.Start()) << line;
        EXPECT_FALSE(unnamed.IsOpen()) << line;
    }
    // "/chicken" alone asks for no log, so there is nothing to report.
    environment.SetCommandLine("/chicken");
    TExecutionLog none(environment);
    EXPECT_FALSE(none.Start());
    EXPECT_TRUE(environment.reports.empty());
}

TEST_F(ExecutionLog, QuestionsAreAnsweredFromIgnoreAndRememberedAnswers)
{
    const DWORD one = 1, zero = 0;
    key.SetRaw("WithoutStereotype", "Overwrite", REG_DWORD, &one, sizeof one);
    key.SetRaw("WithoutStereotype", "Register", REG_DWORD, &zero, sizeof zero);

    environment.SetCommandLine("a.wav");
    TExecutionLog log(environment);
    EXPECT_FALSE(log.Start());
    EXPECT_TRUE(log.Confirm(nullptr, "Overwrite"));
    EXPECT_FALSE(log.Confirm(nullptr, "Register"));
    EXPECT_FALSE(log.Confirm(nullptr, "Unknown"));
    EXPECT_FALSE(log.Confirm(nullptr, nullptr));

    environment.SetCommandLine("/IGNORE");
    TExecutionLog ignoring(environment);
    ignoring.Start();
    EXPECT_TRUE(ignoring.IsIgnoring());
    EXPECT_TRUE(ignoring.Confirm(nullptr, nullptr));
    EXPECT_TRUE(ignoring.Confirm(nullptr, "Register"));
    EXPECT_TRUE(environment.exitCodes.empty());
}

TEST_F(ExecutionLog, ARefusedQuestionEndsTheRunAbnormally)
{
    const DWORD one = 1;
    key.SetRaw("WithoutStereotype", "Overwrite", REG_DWORD, &one, sizeof one);
    environment.SetCommandLine(Silent(logPath));
    TExecutionLog log(environment);
    log.Start();
    log.ConfirmOrAbort("keep?", "Overwrite");
    EXPECT_TRUE(environment.exitCodes.empty());
    log.ConfirmOrAbort("overwrite?", "Missing");
    EXPECT_FALSE(log.IsOpen());
    EXPECT_EQ(std::vector<int>{-1}, environment.exitCodes);

    const std::vector<std::string> lines = FileLines();
    ASSERT_EQ(15u, lines.size());
    EXPECT_EQ("09:05:07{├keep?}", lines[7]);
    EXPECT_EQ("09:05:07{│　└処理を強行しました。}", lines[8]);
    EXPECT_EQ("09:05:07{├overwrite?}", lines[9]);
    EXPECT_EQ("09:05:07{│　└処理を中断しました。}", lines[10]);
    EXPECT_EQ("09:05:07{├異常終了しました。}", lines[11]);
    EXPECT_EQ("{┌" + Rule(3) + "┴" + Rule(34) + "}", lines[12]);
}
