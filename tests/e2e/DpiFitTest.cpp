// At every DPI, every caption, button text, list line and menu item of the settings window, its
// window menu, the message boxes and the version window fits its control. The fit probe opens
// them in a program started at that DPI (Wine takes LogPixels when a program starts) and
// measures each text in the font it is drawn in against its control.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <string>

#include "support/ChildProcess.h"
#include "support/RegistryValues.h"
#include "support/SavedValue.h"

namespace {

const char probeKey[] = "Software\\Orvik\\KelvaneTest\\FitProbe";

DWORD DwordOf(const char* name)
{
    TRawValue value;
    if (!GetRawValue(probeKey, name, value) || value.bytes.size() != sizeof(DWORD)) return 0;
    return *reinterpret_cast<const DWORD*>(value.bytes.data());
}

class DpiFitTest : public ::testing::TestWithParam<DWORD> {
protected:
    void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, probeKey); }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, probeKey); }
};

} // namespace

TEST_P(DpiFitTest, EveryTextFitsItsControl)
{
    TSavedValue logPixels("Control Panel\\Desktop", "LogPixels");
    logPixels.SetDword(GetParam());
    // Paths wider than the list, in Latin and Japanese, a file name wider than the list, a short one.
    const std::string command = CommandBeside(
        "FitProbe.exe", {"C:\\Music Library 2026\\Orchestral Works and Film Scores\\Disc One\\01 - Opening Theme.wav",
                         "C:\\音楽ライブラリ\\クラシック名曲集\\第一楽章\\交響曲第九番「合唱付き」.mid",
                         "C:\\" + std::string(80, 'n') + ".wav", "C:\\short.wav"});
    ASSERT_EQ(0u, RunProcess(command, 60000));

    EXPECT_EQ(GetParam(), DwordOf("Dpi"));
    EXPECT_GE(DwordOf("Measured"), 30u) << "every window was measured";
    std::string misfits;
    for (const auto& misfit : ValuesOf(std::string(probeKey) + "\\Misfits")) misfits += misfit.second + "\n";
    EXPECT_EQ("", misfits);
}

INSTANTIATE_TEST_SUITE_P(Screens, DpiFitTest, ::testing::Values(96u, 120u, 144u, 192u),
                         [](const ::testing::TestParamInfo<DWORD>& dpi) { return std::to_string(dpi.param); });
