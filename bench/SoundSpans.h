// Where sound starts and stops in a recording of the null sink, to the sample: the first
// sound, the runs of sound, and the silences between tracks of known length.
#pragma once

#include <cstddef>
#include <vector>

struct TSoundSpan {
    size_t start; // first loud sample
    size_t end;   // one past the last loud sample
};

// A sample is loud when its magnitude passes this; the test tones peak at 12000.
const int LoudSample = 2000;

// The first loud sample at or after `from`, or `samples.size()` when there is none.
size_t FirstSound(const std::vector<short>& samples, size_t from);

// Runs of loud samples from `from` on; a tone's zero crossings never part one, a silence of
// two milliseconds or more does.
std::vector<TSoundSpan> SoundSpans(const std::vector<short>& samples, size_t from, int rate);

// The silences between consecutive tracks, each `trackSamples` long, in milliseconds. A span
// as long as k tracks holds k - 1 changes without silence (0 ms each); a span cut off by the
// end of the recording is left out.
std::vector<double> TrackGapsMs(const std::vector<TSoundSpan>& spans, size_t trackSamples, size_t recorded, int rate);
