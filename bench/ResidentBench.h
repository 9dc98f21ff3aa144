// Kelvane and its baseline side by side for one window of time, each measured from /proc:
// resident and stopped against B-tray, or playing against B-mci.
#pragma once

#include "BenchSetup.h"
#include "ProcessProbe.h"

struct TResidentFigures {
    bool valid = false;
    TProcessSample kelvane;  // CPU time and switches over the window; memory at its end
    TProcessSample baseline;
    TProcessSample playedOnce; // idle only: B-mci after it has played the tone once
};

// Idle: Kelvane started with /restore and one tone, stopped once it plays (command 204),
// against B-tray, which never loaded MCI, and B-mci after playing the tone once, which keeps
// the libraries every MCI player keeps. Playing: Kelvane alternating the two tones against
// B-mci doing the same.
TResidentFigures MeasureResident(bool playing, const TBenchSetup& setup);
