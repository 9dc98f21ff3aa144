// Kelvane and its baseline side by side for one window of time, each measured from /proc:
// resident and stopped against B-tray, or playing against B-mci.
#pragma once

#include "BenchSetup.h"
#include "ProcessProbe.h"

struct TResidentFigures {
    bool valid = false;
    TProcessSample kelvane;  // CPU time and switches over the window; memory at its end
    TProcessSample baseline;
};

// Idle: Kelvane started with /restore and one tone, stopped once it plays (command 204),
// against B-tray. Playing: Kelvane alternating the two tones against B-mci doing the same.
TResidentFigures MeasureResident(bool playing, const TBenchSetup& setup);
