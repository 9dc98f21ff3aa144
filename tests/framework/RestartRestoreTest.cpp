// Restart restore through the real RunOnce key: registering, the command line, taking the block back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/CommandLine.h"
#include "foundation/GlobalStores.h"
#include "framework/RestartRestore.h"
#include "support/RegistryTestKey.h"

namespace {

const char applicationName[] = "Kelvane"; // the test program's display name

// The program's own RunOnce entries, set aside while a test runs and put back afterwards;
// whatever the test wrote is removed.
class TRunOnceEntries {
public:
    TRunOnceEntries() : kept(TakeAll()) {}
    ~TRunOnceEntries()
    {
        TakeAll();
        for (const auto& entry : kept) Set(entry.first, entry.second);
    }

    static bool Get(const std::string& name, std::string& text)
    {
        text = ReadText(RunOnceKeyPath, name.c_str());
        return ValueExists(RunOnceKeyPath, name.c_str());
    }
    static void Set(const std::string& name, const std::string& text)
    {
        SetRawValue(RunOnceKeyPath, name.c_str(), REG_SZ, Sz(text));
    }

private:
    static std::vector<std::pair<std::string, std::string>> TakeAll()
    {
        std::vector<std::pair<std::string, std::string>> taken;
        for (const auto& value : ValuesOf(RunOnceKeyPath))
            if (value.first.compare(0, sizeof applicationName - 1, applicationName) == 0) taken.push_back(value);
        for (const auto& entry : taken) DeleteRawValue(RunOnceKeyPath, entry.first.c_str());
        return taken;
    }

    std::vector<std::pair<std::string, std::string>> kept;
};

// The application store on a throwaway key and a command line of the test's choosing.
class RestartRestoreTest : public ::testing::Test {
protected:
    void SetUp() override { CreateGlobalStores(key.Path("App").c_str()); }
    void TearDown() override
    {
        DestroyGlobalStores();
        ProcessCommandLine().Clear();
    }

    TRegistryTestKey key;
    TRunOnceEntries runOnce;
};

std::string ModulePath()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

} // namespace

TEST_F(RestartRestoreTest, RegisteredBlockComesBackOnceThroughTheRunOnceCommandLine)
{
    TRunOnceEntries::Set("Kelvane0", "taken already");
    const unsigned char block[] = {'a', 'b', 0, 'c', 0xFF};
    ASSERT_TRUE(RegisterRestart(block, sizeof block));

    std::string command;
    ASSERT_TRUE(TRunOnceEntries::Get("Kelvane1", command));
    EXPECT_EQ("\"" + ModulePath() + "\" /restore:1", command);
    TRawValue value;
    ASSERT_TRUE(key.Get("App\\Serialize", "1", value));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), value.type);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block), sizeof block), value.bytes);

    std::vector<unsigned char> taken;
    EXPECT_FALSE(TakeRestartData(taken)); // no "/restore" on the command line yet
    ProcessCommandLine().Parse(command.c_str());
    ASSERT_TRUE(TakeRestartData(taken));
    EXPECT_EQ(std::vector<unsigned char>(block, block + sizeof block), taken);
    EXPECT_FALSE(key.Get("App\\Serialize", "1", value));
    EXPECT_FALSE(TakeRestartData(taken)); // handed out once only
}

TEST_F(RestartRestoreTest, WithoutABlockOnlyTheEntryIsWritten)
{
    EXPECT_FALSE(RegisterRestart(nullptr, 0));
    std::string command;
    ASSERT_TRUE(TRunOnceEntries::Get("Kelvane0", command));
    EXPECT_EQ("\"" + ModulePath() + "\" /restore:0", command);
    TRawValue value;
    EXPECT_FALSE(key.Get("App\\Serialize", "0", value));
}

// Only numbered records are restart data: the switch never hands out or deletes a placement.
TEST_F(RestartRestoreTest, SwitchValueThatIsNoRestartNumberFindsNothing)
{
    const char record[] = "placement";
    ASSERT_EQ(ERROR_SUCCESS, key.SetRaw("App\\Serialize", "Main", REG_BINARY, record, sizeof record));
    ASSERT_EQ(ERROR_SUCCESS, key.SetRaw("App\\Serialize", "7", REG_SZ, record, sizeof record));
    std::vector<unsigned char> taken;
    for (const char* line : {"prog.exe /restore:Main", "prog.exe /restore", "prog.exe /restore:7"}) {
        ProcessCommandLine().Parse(line);
        EXPECT_FALSE(TakeRestartData(taken)) << line;
    }
    TRawValue value;
    EXPECT_TRUE(key.Get("App\\Serialize", "Main", value));
    EXPECT_TRUE(key.Get("App\\Serialize", "7", value));
}
