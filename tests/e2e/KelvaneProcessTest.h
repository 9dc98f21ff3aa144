// TKelvaneProcessTest: the fixture of the tests that start the real program.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "KelvaneRun.h"

// Whole-program tests start from no settings and no running copy, and leave none behind.
class TKelvaneProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        ClearKelvaneSettings();
        ASSERT_EQ(FindMainWindow(), nullptr) << "a Kelvane from an earlier test still runs";
    }
    void TearDown() override
    {
        ClearKelvaneSettings();
        CoUninitialize();
    }
};
