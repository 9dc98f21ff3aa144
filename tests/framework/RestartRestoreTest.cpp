// Restart restore through the real RunOnce key: registering, the command line, taking the block back.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/RegistryTestKey.h"
#include "foundation/CommandLine.h"
#include "foundation/GlobalStores.h"
#include "framework/RestartRestore.h"

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
        char data[1024] = "";
        DWORD size = sizeof data - 1;
        HKEY key = Open();
        LONG result = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        text = data;
        return result == ERROR_SUCCESS;
    }
    static void Set(const std::string& name, const std::string& text)
    {
        HKEY key = Open();
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }

private:
    static HKEY Open()
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, RunOnceKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return key;
    }
    static std::map<std::string, std::string> TakeAll()
    {
        std::map<std::string, std::string> taken;
        HKEY key = Open();
        char name[512];
        for (DWORD index = 0, size = sizeof name; RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr,
                                                                nullptr) == ERROR_SUCCESS;
             ++index, size = sizeof name)
            if (std::string(name).compare(0, sizeof applicationName - 1, applicationName) == 0) Get(name, taken[name]);
        for (const auto& entry : taken) RegDeleteValueA(key, entry.first.c_str());
        RegCloseKey(key);
        return taken;
    }

    std::map<std::string, std::string> kept;
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
    DWORD type = REG_NONE;
    std::string stored;
    ASSERT_TRUE(key.GetRaw("App\\Serialize", "1", type, stored));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block), sizeof block), stored);

    std::vector<unsigned char> taken;
    EXPECT_FALSE(TakeRestartData(taken)); // no "/restore" on the command line yet
    ProcessCommandLine().Parse(command.c_str());
    ASSERT_TRUE(TakeRestartData(taken));
    EXPECT_EQ(std::vector<unsigned char>(block, block + sizeof block), taken);
    EXPECT_FALSE(key.GetRaw("App\\Serialize", "1", type, stored));
    EXPECT_FALSE(TakeRestartData(taken)); // handed out once only
}

TEST_F(RestartRestoreTest, WithoutABlockOnlyTheEntryIsWritten)
{
    EXPECT_FALSE(RegisterRestart(nullptr, 0));
    std::string command;
    ASSERT_TRUE(TRunOnceEntries::Get("Kelvane0", command));
    EXPECT_EQ("\"" + ModulePath() + "\" /restore:0", command);
    DWORD type = REG_NONE;
    std::string stored;
    EXPECT_FALSE(key.GetRaw("App\\Serialize", "0", type, stored));
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
    DWORD type = REG_NONE;
    std::string stored;
    EXPECT_TRUE(key.GetRaw("App\\Serialize", "Main", type, stored));
    EXPECT_TRUE(key.GetRaw("App\\Serialize", "7", type, stored));
}
