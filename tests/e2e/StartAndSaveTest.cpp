// Races of real processes: copies started at the same moment, and a save killed half-way.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <random>
#include <string>
#include <vector>

#include "KelvaneRun.h"
#include "support/ChildProcess.h"
#include "support/Wait.h"

namespace {

int CountMainWindows()
{
    int count = 0;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "ShapeClass", "Kelvane")) != nullptr;)
        if (!GetWindow(window, GW_OWNER)) ++count;
    return count;
}

const char saveKey[] = "Software\\Orvik\\KelvaneTest\\SaveProbe";

void WriteList(const std::string& key, const char* prefix, int count)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    HKEY list = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &list, nullptr))
        return;
    for (int i = 0; i < count; ++i) {
        char name[16], value[64];
        wsprintfA(name, "%06d", i);
        wsprintfA(value, "C:\\music\\%s%05d.wav", prefix, i);
        RegSetValueExA(list, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
    }
    RegCloseKey(list);
}

// What the next start loads: the values up to the first missing number.
std::vector<std::string> ReadList(const std::string& key)
{
    std::vector<std::string> entries;
    for (;;) {
        char name[16], value[256];
        DWORD size = sizeof value;
        wsprintfA(name, "%06d", static_cast<int>(entries.size()));
        if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size)) break;
        entries.push_back(value);
    }
    return entries;
}

std::string Entry(const char* prefix, size_t index)
{
    char value[64];
    wsprintfA(value, "C:\\music\\%s%05d.wav", prefix, static_cast<int>(index));
    return value;
}

std::string DescribeCopies(const std::vector<std::unique_ptr<TKelvaneRun>>& copies)
{
    std::string text;
    for (const auto& copy : copies) text += copy->Describe() + "\n";
    return text;
}

} // namespace

TEST(StartRaceTest, FiveCopiesAtOnceLeaveExactlyOneResident)
{
    ClearKelvaneSettings();
    for (int round = 0; round < 10; ++round) {
        std::vector<std::unique_ptr<TKelvaneRun>> copies;
        for (int i = 0; i < 5; ++i) copies.push_back(std::make_unique<TKelvaneRun>("/restore"));
        // Four end as soon as the fifth's window is there; on a stalled machine they give up
        // after 20 s, so the wait here is longer.
        int resident = -1;
        const auto ended = [&] {
            int count = 0;
            for (int i = 0; i < 5; ++i) copies[i]->Ended(0) ? ++count : resident = i;
            return count;
        };
        WaitUntil([&] { return ended() >= 4; }, 45000, "four copies ending");
        ASSERT_EQ(ended(), 4) << "round " << round << "\n" << DescribeCopies(copies) << DescribeShapes();
        for (const auto& copy : copies) {
            DWORD status = 1;
            if (copy->Ended(0, &status)) {
                EXPECT_EQ(status, 0u) << "round " << round;
            }
        }
        EXPECT_EQ(CountMainWindows(), 1) << "round " << round;
        HWND main = copies[resident]->MainWindow(5000);
        ASSERT_NE(main, nullptr) << "round " << round << "\n" << DescribeCopies(copies) << DescribeShapes();
        // The others' Settings command reached it.
        EXPECT_TRUE(WaitUntilShown(main));
        PostMessageA(main, WM_CLOSE, 0, 0);
        ASSERT_TRUE(copies[resident]->Ended(15000)) << "round " << round;
    }
    ClearKelvaneSettings();
}

// The list is rewritten in place, so a kill leaves each entry as it was or as saved, and the
// list never shorter than the shorter of the two.
TEST(InterruptedSaveTest, KilledSaveNeverLosesOrInventsEntries)
{
    const std::string list = std::string(saveKey) + "\\MusicFileList";
    const char* const nextLists[] = {"Long", "Short", "Other"};
    const int nextSizes[] = {10000, 3000, 10000};
    const char* const nextPrefixes[] = {"long", "short", "other"};
    for (int i = 0; i < 3; ++i)
        WriteList(std::string(saveKey) + "\\" + nextLists[i] + "\\MusicFileList", nextPrefixes[i], nextSizes[i]);
    const std::string probe = "\"" + ProgramBesideTests("SaveProbe.exe") + "\" ";

    // One save to the end, to know how long a save takes.
    WriteList(list, "old", 10000);
    const DWORD start = GetTickCount();
    ASSERT_EQ(RunProcess(probe + nextLists[0], 120000), 0u);
    const DWORD fullMs = GetTickCount() - start;
    std::vector<std::string> stored = ReadList(list);
    ASSERT_EQ(stored.size(), 10000u);
    EXPECT_EQ(stored[9999], Entry("long", 9999));

    std::mt19937 random(20261208);
    for (int run = 0; run < 20; ++run) {
        const int next = (run + 1) % 3;
        TChildProcess save(probe + nextLists[next]);
        ASSERT_TRUE(save.Started());
        // The moment of the kill is what the test varies: a pause, not a wait for anything.
        Sleep(std::uniform_int_distribution<DWORD>(0, fullMs)(random));
        save.Kill(9);

        const std::vector<std::string> loaded = ReadList(list);
        EXPECT_GE(loaded.size(), std::min(stored.size(), static_cast<size_t>(nextSizes[next]))) << "run " << run;
        for (size_t i = 0; i < loaded.size(); ++i) {
            if ((i < stored.size() && loaded[i] == stored[i]) || loaded[i] == Entry(nextPrefixes[next], i)) continue;
            ADD_FAILURE() << "run " << run << ": entry " << i << " is " << loaded[i];
            break;
        }
        stored = loaded;
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, saveKey);
}
