// System-information macros: expansion against a fake registry that records what was read.
#include "foundation/Macros.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

const char versionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char ntVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char networkKey[] = "System\\CurrentControlSet\\Services\\VxD\\VNETSUP";

class TFakeSource : public TMacroSource {
public:
    void Set(int root, const std::string& key, const std::string& value, const std::string& text)
    {
        values[Place(root, key, value)] = text;
    }
    THeapString ReadText(int root, const char* keyPath, const char* valueName) override
    {
        const std::string place = Place(root, keyPath, valueName);
        reads.push_back(place);
        auto found = values.find(place);
        return found == values.end() ? THeapString() : THeapString(found->second.c_str());
    }
    static std::string Place(int root, const std::string& key, const std::string& value)
    {
        return std::to_string(root) + ":" + key + ":" + value;
    }

    std::map<std::string, std::string> values;
    std::vector<std::string> reads;
};

// Every macro with a value that names it, under the older systems' keys.
TFakeSource OlderSystem()
{
    TFakeSource source;
    source.Set(MacroRootLocalMachine, versionKey, "RegisteredOwner", "owner");
    source.Set(MacroRootLocalMachine, versionKey, "RegisteredOrganization", "org");
    source.Set(MacroRootLocalMachine, versionKey, "ProductId", "id");
    source.Set(MacroRootLocalMachine, versionKey, "ProductName", "name");
    source.Set(MacroRootLocalMachine, versionKey, "Version", "ver");
    source.Set(MacroRootLocalMachine, versionKey, "VersionNumber", "vern");
    source.Set(MacroRootLocalMachine, versionKey, "SubVersionNumber", "vers");
    source.Set(MacroRootLocalMachine, networkKey, "Workgroup", "wkg");
    source.Set(MacroRootLocalMachine, networkKey, "ComputerName", "cpu");
    source.Set(MacroRootLocalMachine, networkKey, "Comment", "comment");
    source.Set(MacroRootLocalMachine, "Network\\Logon", "username", "logon");
    return source;
}

} // namespace

TEST(Macros, EveryMacroReadsItsOwnValue)
{
    TFakeSource source = OlderSystem();
    EXPECT_STREQ("owner|org|id|name|ver|vern|vers",
                 ExpandMacros("%iuser%|%iorg%|%iprdid%|%iprdnm%|%iver%|%ivern%|%ivers%", source));
    EXPECT_STREQ("wkg|cpu|comment|logon|%", ExpandMacros("%nwkg%|%ncpu%|%ncpuc%|%nuser%|%%%", source));
    // The comment is not the computer name followed by "c%".
    EXPECT_STREQ("[comment][cpu]", ExpandMacros("[%ncpuc%][%ncpu%]", source));
    // Every macro met is read anew.
    source.reads.clear();
    EXPECT_STREQ("owner owner", ExpandMacros("%iuser% %iuser%", source));
    EXPECT_EQ(2u, source.reads.size());
}

TEST(Macros, OtherTextPassesUnchanged)
{
    TFakeSource source = OlderSystem();
    EXPECT_STREQ("plain text", ExpandMacros("plain text", source));
    EXPECT_STREQ("", ExpandMacros("", source));
    EXPECT_STREQ("", ExpandMacros(nullptr, source));
    EXPECT_STREQ("a%", ExpandMacros("a%", source));
    // An unknown span reaches the next "%" and swallows it, so a macro right after stays text.
    EXPECT_STREQ("%x%iuser%", ExpandMacros("%x%iuser%", source));
    EXPECT_TRUE(source.reads.empty());
    EXPECT_STREQ("%foo% owner", ExpandMacros("%foo% %iuser%", source));
    EXPECT_STREQ("owner 100%", ExpandMacros("%iuser% 100%", source));
    // A "%" before a macro pairs with the macro's first "%", which then no longer opens it.
    EXPECT_STREQ("100% %iuser%", ExpandMacros("100% %iuser%", source));
    // The text is walked by characters: a "%" that is the second byte of a two-byte
    // character is no macro start.
    EXPECT_STREQ("\x81%iuser%", ExpandMacros("\x81%iuser%", source));
    EXPECT_STREQ("\x95\x5C owner", ExpandMacros("\x95\x5C %iuser%", source));
}

TEST(Macros, ValuesAreNotExpandedAgain)
{
    TFakeSource source;
    source.Set(MacroRootLocalMachine, versionKey, "RegisteredOwner", "%iorg%");
    source.Set(MacroRootLocalMachine, versionKey, "RegisteredOrganization", "org");
    EXPECT_STREQ("%iorg%/org", ExpandMacros("%iuser%/%iorg%", source));
}

TEST(Macros, MissingValuesAreEmptyAndLaterSystemsAreAskedSecond)
{
    TFakeSource empty;
    EXPECT_STREQ("[][][]", ExpandMacros("[%iver%][%nwkg%][%iuser%]", empty));
    const std::vector<std::string> expected = {
        TFakeSource::Place(MacroRootLocalMachine, versionKey, "Version"),
        TFakeSource::Place(MacroRootLocalMachine, networkKey, "Workgroup"),
        TFakeSource::Place(MacroRootLocalMachine, versionKey, "RegisteredOwner"),
        TFakeSource::Place(MacroRootLocalMachine, ntVersionKey, "RegisteredOwner"),
    };
    EXPECT_EQ(expected, empty.reads);

    TFakeSource later;
    later.Set(MacroRootLocalMachine, ntVersionKey, "ProductName", "NT name");
    later.Set(MacroRootLocalMachine, "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName", "ComputerName",
              "HOST");
    later.Set(MacroRootCurrentUser, "Volatile Environment", "USERNAME", "user");
    EXPECT_STREQ("NT name HOST user", ExpandMacros("%iprdnm% %ncpu% %nuser%", later));

    // The older place wins when it has a value.
    TFakeSource both = OlderSystem();
    both.Set(MacroRootLocalMachine, ntVersionKey, "ProductName", "NT name");
    EXPECT_STREQ("name", ExpandMacros("%iprdnm%", both));
}

TEST(Macros, ExpandAllRunsTimeThenDateThenMacros)
{
    TFakeSource source = OlderSystem();
    const TDate date = {2000, 3, 8};
    const TTime time = {1, 14, 5, 9, 0};
    // "%m%" is the minute in the time pass; the month is written "%dm%".
    EXPECT_STREQ("2000/3/8 14:5:09 by owner@cpu", ExpandAll("%yyyy%/%dm%/%d% %H%:%m%:%ss% by %iuser%@%ncpu%", date,
                                                            time, source));
    EXPECT_STREQ("no tokens", ExpandAll("no tokens", date, time, source));
}
