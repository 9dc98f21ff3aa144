// Macros against the real registry: a throwaway user key and the machine's product identity.
#include "foundation/MacroSources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/RegistryTestKey.h"

namespace {

// The value as the system itself hands it out, or "" when it is missing.
std::string MachineText(const char* keyPath, const char* name)
{
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "";
    LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(buffer) : std::string();
}

} // namespace

TEST(MacroSources, ReadsTextValuesAndTreatsMissingOnesAsEmpty)
{
    TRegistryTestKey key;
    const char owner[] = "\x8E\x52\x93\x63 Taro"; // 山田 Taro
    key.SetRaw("", "Owner", REG_SZ, owner, sizeof owner);

    TRegistryMacroSource registry;
    EXPECT_STREQ(owner, registry.ReadText(MacroRootCurrentUser, key.Path().c_str(), "Owner"));
    EXPECT_STREQ("", registry.ReadText(MacroRootCurrentUser, key.Path().c_str(), "Missing"));
    EXPECT_STREQ("", registry.ReadText(MacroRootCurrentUser, key.Path("NoSuchKey").c_str(), "Owner"));
    EXPECT_STREQ("", registry.ReadText(99, key.Path().c_str(), "Owner"));
}

TEST(MacroSources, ExpandsTheMachinesProductIdentity)
{
    std::string productId = MachineText("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProductId");
    if (productId.empty()) productId = MachineText("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductId");
    ASSERT_FALSE(productId.empty()) << "the system keeps no product id";
    EXPECT_EQ("id=" + productId + "%", std::string(ExpandMacros("id=%iprdid%%%%").Text()));

    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string expected = std::to_string(now.wYear) + " " + productId;
    EXPECT_EQ(expected, std::string(ExpandAll("%yyyy% %iprdid%").Text()));
}
