// The Windows version that Wine tells the programs a test starts, and what such a program finds.
#pragma once

#include <windows.h>

#include "support/SavedValue.h"

// For one test: programs started from now on are told this version ("winxp", "win10", ...);
// the prefix's own setting comes back at the end.
class TReportedWindowsVersion {
public:
    explicit TReportedWindowsVersion(const char* version) : setting("Software\\Wine", "Version")
    {
        setting.SetText(version);
    }

private:
    TSavedValue setting;
};

// The major Windows version that a newly started program finds, as the entry probe records it;
// 0 when the probe did not run.
DWORD MajorVersionOfANewProgram();
