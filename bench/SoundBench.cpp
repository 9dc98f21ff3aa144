// SoundBench: the recording set against the runner's clock, and the two sound measurements.
#include "SoundBench.h"

#include <windows.h>

#include <cmath>
#include <vector>

#include "BenchCommon.h"
#include "BenchTable.h"
#include "PlayerRun.h"
#include "SinkRecording.h"
#include "SoundSpans.h"

namespace {

const int rate = TSinkRecording::SampleRate;

double NowMs()
{
    static const LARGE_INTEGER origin = Now();
    return ElapsedMs(origin, Now());
}

// Waits until the recording holds a loud sample after `from`, looking every two milliseconds;
// the sample's index, or -1 after the timeout. `heardMs` gets the moment it showed in the
// recording: the sink may render ahead of the clock and rewind when a stream starts, so the
// sample's position in the recording does not tell the moment, its arrival does, late by the
// sink's and the recorder's latency (a few tens of milliseconds, the same for every player).
size_t WaitForSound(const TSinkRecording& recording, size_t from, DWORD timeoutMs, double* heardMs)
{
    const double start = NowMs();
    size_t examined = from;
    for (;;) {
        const size_t recorded = recording.Recorded();
        const double looked = NowMs();
        if (recorded > examined) {
            const std::vector<short> samples = recording.Peek();
            const size_t first = FirstSound(samples, examined);
            if (first < samples.size()) {
                if (heardMs) *heardMs = first < recorded ? looked : NowMs();
                return first;
            }
            examined = samples.size();
        }
        if (looked - start > timeoutMs) return static_cast<size_t>(-1);
        Sleep(2);
    }
}

} // namespace

double TimeToMusicMs(bool kelvane, const TBenchSetup& setup)
{
    TSinkRecording recording;
    if (!recording.Started()) return NAN;
    for (DWORD waited = 0; recording.Recorded() == 0; waited += 10) {
        if (waited > 5000) return NAN; // nothing flows
        Sleep(10);
    }
    const size_t before = recording.Recorded();
    const double start = NowMs();
    TPlayerRun player(kelvane, {setup.lowTone});
    if (!player.Started()) return NAN;
    double heard = NAN;
    const size_t sound = WaitForSound(recording, before, 20000, &heard);
    recording.Stop();
    return sound == static_cast<size_t>(-1) ? NAN : heard - start;
}

double MedianGapMs(bool kelvane, const TBenchSetup& setup)
{
    TSinkRecording recording;
    if (!recording.Started()) return NAN;
    const size_t before = recording.Recorded();
    TPlayerRun player(kelvane, {setup.lowTone, setup.highTone});
    if (!player.Started()) return NAN;
    const size_t sound = WaitForSound(recording, before, 20000, nullptr);
    if (sound == static_cast<size_t>(-1)) return NAN;
    // The tracks and a generous second for the gaps between them.
    const size_t wanted = sound + static_cast<size_t>(rate * (setup.tracks * setup.toneSeconds + 1.0));
    for (DWORD waited = 0; waited < 30000 && recording.Recorded() < wanted; waited += 100) Sleep(100);
    const std::vector<short> samples = recording.Stop();
    const size_t trackSamples = static_cast<size_t>(rate * setup.toneSeconds);
    const std::vector<double> gaps = TrackGapsMs(SoundSpans(samples, before, rate), trackSamples, samples.size(), rate);
    return gaps.size() >= 5 ? Median(gaps) : NAN;
}
