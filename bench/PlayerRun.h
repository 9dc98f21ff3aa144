// TPlayerRun: the player under measurement, started at once: Kelvane resident with the files
// as its stored play list, or B-mci with the same files on its command line.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "KelvaneRun.h"
#include "support/ChildProcess.h"

class TPlayerRun {
public:
    TPlayerRun(bool kelvane, const std::vector<std::string>& files);
    bool Started() const;
    // Waits until it has a window (and Kelvane says it plays); false after the timeout.
    bool WaitUntilPlaying(unsigned timeoutMs);
    HWND Window() const { return window; }

private:
    std::unique_ptr<TKelvaneRun> kelvane;
    std::unique_ptr<TChildProcess> baseline;
    HWND window = nullptr;
};

// The Windows program names that Linux shows for Kelvane and the player baseline.
const char* PlayerProgram(bool kelvane);
