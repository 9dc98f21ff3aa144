// TTwoMonitors: two monitors for the length of a scope, answered through the monitor seam,
// since the virtual display shows one screen only. The primary monitor is the display's own.
#pragma once

#include <windows.h>

#include "framework/WorkArea.h"
#include "support/Seam.h"

class TTwoMonitors {
public:
    enum TLayout {
        // A second monitor of 1280 x 1024 left of the primary and reaching above it: its
        // coordinates are negative.
        LeftAndAbove,
        // The display's screen cut into a left and a right half, where the cursor can go.
        SplitScreen,
    };
    explicit TTwoMonitors(TLayout layout);

    // The monitor that is not the primary one (LeftAndAbove), or the left half (SplitScreen).
    const TMonitorArea& First() const;
    const TMonitorArea& Second() const;

private:
    static TMonitorArea Lookup(const RECT& rectangle);
    TSeam seam;
};
