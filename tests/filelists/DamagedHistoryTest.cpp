// The shared recent-file history over damaged "MRU" values: nothing but existing files is
// offered, and what cannot be read or names no file is removed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "filelists/FileNameField.h"
#include "support/RegistryTestKey.h"
#include "support/TempFolder.h"

namespace {

const char filter[] = "Bitmap\0*.bmp\0";

struct TValue {
    std::string name;
    DWORD type;
    std::string bytes;
};

std::string Terminated(const std::string& text) { return text + '\0'; }

} // namespace

TEST(DamagedHistoryTest, OnlyExistingFilesAreOfferedAndUnreadableValuesGo)
{
    TTempFolder tree;
    const std::string newest = tree.File("newest.bmp");
    const std::string typed = tree.File("typed.bmp");
    const std::string longName(300, 'n'); // longer than a name the enumeration reads
    const std::vector<TValue> values = {
        {"20250101120000009FFFF0001", REG_SZ, Terminated(newest)},
        {"20250101120000008FFFF0001", REG_DWORD, Terminated(typed)}, // the text is read whatever the type
        {"20250101120000007FFFF0001", REG_SZ, ""},
        {"20250101120000006FFFF0001", REG_SZ, Terminated("C:\\" + std::string(1020, 'x'))}, // 1,023 bytes
        {"20250101120000005FFFF0001", REG_SZ, Terminated("C:\\" + std::string(1021, 'x'))}, // 1,024: too long
        {"20250101120000004FFFF0001", REG_BINARY, std::string(4096, 'C')},
        {"20250101120000003FFFF0001", REG_SZ, Terminated("C:\\cut\\\x95")},
        {longName, REG_SZ, Terminated(newest)},
    };
    TRegistryTestKey history;
    for (const TValue& value : values)
        history.SetRaw("MRU\\.bmp", value.name.c_str(), value.type, value.bytes.data(),
                       static_cast<DWORD>(value.bytes.size()));

    TRegistryStore store = history.Store();
    TFileNameElement field{"", filter, "bmp", "History test"};
    field.SetHistoryStore(&store);
    field.RebuildShared();

    ASSERT_EQ(field.History().Count(), 2);
    EXPECT_EQ(std::string(field.History().Item(0)), newest);
    EXPECT_EQ(std::string(field.History().Item(1)), typed);
    std::vector<std::string> kept;
    for (const auto& value : history.Values("MRU\\.bmp")) kept.push_back(value.first);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::string>{values[1].name, values[0].name, longName}));
}
