// The measurements read from the null sink's recording: time to music and the gap between
// tracks, for Kelvane or for B-mci. Each returns NaN when it could not measure.
#pragma once

#include "BenchSetup.h"

// From the start of the process (Kelvane with /restore and a one-entry list, or B-mci with
// that file) to its first loud sample in the recording.
double TimeToMusicMs(bool kelvane, const TBenchSetup& setup);

// The median silence between consecutive tracks while the player alternates the two tones.
double MedianGapMs(bool kelvane, const TBenchSetup& setup);
