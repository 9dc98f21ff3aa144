// The execution log over damaged "Silent" settings and remembered answers: what can be read
// is taken as text, what cannot keeps the default, and the log is written either way.
#include "foundation/ExecutionLog.h"

#include <gtest/gtest.h>

#include <string>

#include "support/RegistryTestKey.h"
#include "support/TempFolder.h"

namespace {

const char defaultTitle[] = "実行ログ";
const char defaultTimeFormat[] = "%HH%:%mm%:%ss%";

class TQuietEnvironment : public TLogEnvironment {
public:
    TQuietEnvironment(const TRegistryStore& settings, const std::string& logPath) : settings(settings)
    {
        commandLine.Parse(("prog.exe /silent:\"" + logPath + "\"").c_str());
    }
    const TCommandLine& CommandLine() const override { return commandLine; }
    const TRegistryStore& Settings() const override { return settings; }
    THeapString ApplicationName() const override { return THeapString("LogTest"); }
    THeapString ReceivedCommandLine() const override { return THeapString("/silent"); }
    TDateTime BuildStamp() const override { return {{2000, 3, 8}, {1, 2, 21, 5, 0}}; }
    TDateTime Now() const override { return {{2000, 3, 8}, {1, 9, 5, 7, 0}}; }
    THeapString DisplayText(const char* text) const override { return THeapString(text); }
    bool ReportCannotOpen(const char*) override { return true; }
    void EndProcess(int) override {}

private:
    TCommandLine commandLine;
    const TRegistryStore& settings;
};

struct TDamage {
    const char* what;
    DWORD type;
    std::string bytes; // of the time format; the title gets the same damage
    bool readable;
};

} // namespace

TEST(DamagedLogSettingsTest, ReadableValuesAreTakenAsTextAndTheRestKeepTheirDefaults)
{
    TTempFolder folder;
    const std::string logPath = folder.Path("kelvane damaged log");
    const TDamage damages[] = {
        {"wrong type", REG_DWORD, std::string("%HH%\0", 5), true},
        {"empty", REG_SZ, "", true},
        {"1,023 bytes", REG_SZ, std::string(1023, 'x') + '\0', true},
        {"1,024 bytes", REG_SZ, std::string(1024, 'x') + '\0', false},
        {"4,096 bytes", REG_BINARY, std::string(4096, 'x'), false},
    };
    for (const TDamage& damage : damages) {
        TRegistryTestKey key;
        const DWORD size = static_cast<DWORD>(damage.bytes.size());
        for (const char* name : {"Title", "TimeFormat", "DateFormat"})
            key.SetRaw("Silent", name, damage.type, damage.bytes.data(), size);
        key.SetRaw("WithoutStereotype", "Question", damage.type, damage.bytes.data(), size);
        TRegistryStore store = key.Store();
        TQuietEnvironment environment(store, logPath);
        DeleteFileA(logPath.c_str());

        const std::string text = damage.bytes.substr(0, damage.bytes.find('\0'));
        {
            TExecutionLog log(environment);
            log.Start();
            ASSERT_TRUE(log.IsOpen()) << damage.what;
            EXPECT_EQ(std::string(log.Title()), damage.readable ? text : defaultTitle) << damage.what;
            EXPECT_EQ(std::string(log.TimeFormat()), damage.readable ? text : defaultTimeFormat) << damage.what;
            EXPECT_FALSE(log.Confirm("asked", "Question")) << damage.what << ": no answer is a yes";
            log.Step("step");
            log.Close();
        }
        const std::string written = TTempFolder::Read(logPath);
        EXPECT_GE(written.size(), 2u) << damage.what;
        EXPECT_EQ(written.substr(written.size() - 2), "\r\n") << damage.what;
        const std::string titleLine = "│LogTitle   :" + (damage.readable ? text : std::string(defaultTitle));
        EXPECT_NE(written.find(titleLine), std::string::npos) << damage.what;
    }
}
