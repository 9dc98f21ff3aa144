// SoundSpans: finding the loud runs of a recording and the gaps between tracks.
#include "SoundSpans.h"

#include <cmath>
#include <cstdlib>

namespace {

bool Loud(short sample) { return std::abs(static_cast<int>(sample)) > LoudSample; }

} // namespace

size_t FirstSound(const std::vector<short>& samples, size_t from)
{
    for (size_t i = from; i < samples.size(); ++i)
        if (Loud(samples[i])) return i;
    return samples.size();
}

std::vector<TSoundSpan> SoundSpans(const std::vector<short>& samples, size_t from, int rate)
{
    const size_t parting = static_cast<size_t>(rate) / 500; // 2 ms
    std::vector<TSoundSpan> spans;
    for (size_t i = from; i < samples.size(); ++i) {
        if (!Loud(samples[i])) continue;
        if (!spans.empty() && i - spans.back().end < parting)
            spans.back().end = i + 1;
        else
            spans.push_back(TSoundSpan{i, i + 1});
    }
    return spans;
}

std::vector<double> TrackGapsMs(const std::vector<TSoundSpan>& spans, size_t trackSamples, size_t recorded, int rate)
{
    std::vector<double> gaps;
    const size_t parting = static_cast<size_t>(rate) / 500;
    for (size_t i = 0; i < spans.size(); ++i) {
        if (spans[i].end + parting >= recorded) break; // still sounding when the recording stopped
        const double tracks = std::round(static_cast<double>(spans[i].end - spans[i].start) / trackSamples);
        for (int change = 1; change < tracks; ++change) gaps.push_back(0);
        if (i + 1 < spans.size())
            gaps.push_back(1000.0 * static_cast<double>(spans[i + 1].start - spans[i].end) / rate);
    }
    return gaps;
}
