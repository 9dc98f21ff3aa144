// The null-sink recorder (parec, started through Wine's Unix bridge) and the tone analysis.
#include "SinkRecording.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>

#include "support/UnixCommand.h"
#include "support/Wait.h"

namespace {

const int windowSamples = TSinkRecording::SampleRate / 50; // 20 ms
const double silenceRms = 600.0;
const double pi = 3.14159265358979323846;

std::string UnixFile(const std::string& name, const char* suffix) { return "/tmp/" + name + suffix; }
std::string WindowsFile(const std::string& name, const char* suffix) { return "Z:\\tmp\\" + name + suffix; }

void PutLittleEndian(std::vector<unsigned char>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

} // namespace

TSinkRecording::TSinkRecording()
{
    char unique[64];
    std::snprintf(unique, sizeof unique, "kelvane-rec-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    name = unique;
    // A short latency keeps the recording in step with the wall clock.
    started = RunUnixScript("parec -d nullsink.monitor --format=s16le --rate=22050 --channels=1 --latency-msec=20 > " +
                            UnixFile(name, ".raw") + " 2>/dev/null & echo $! > " + UnixFile(name, ".pid"));
    // Recording from here on: the sink's monitor sends samples, silence included, all the time.
    if (started) WaitUntil([this] { return Recorded() > 0; }, 5000, "the recorder's first samples");
}

TSinkRecording::~TSinkRecording()
{
    if (started) Stop();
}

std::vector<short> TSinkRecording::Peek() const
{
    std::vector<short> samples;
    if (FILE* file = std::fopen(WindowsFile(name, ".raw").c_str(), "rb")) {
        short buffer[4096];
        size_t count;
        while ((count = std::fread(buffer, sizeof(short), 4096, file)) > 0) samples.insert(samples.end(), buffer, buffer + count);
        std::fclose(file);
    }
    return samples;
}

size_t TSinkRecording::Recorded() const
{
    WIN32_FILE_ATTRIBUTE_DATA file;
    if (!GetFileAttributesExA(WindowsFile(name, ".raw").c_str(), GetFileExInfoStandard, &file)) return 0;
    return static_cast<size_t>(file.nFileSizeLow / sizeof(short));
}

std::vector<short> TSinkRecording::Stop()
{
    if (!started) return std::vector<short>();
    started = false;
    RunUnixScript("kill $(cat " + UnixFile(name, ".pid") + "); sleep 0.2");
    std::vector<short> samples = Peek();
    DeleteFileA(WindowsFile(name, ".raw").c_str());
    DeleteFileA(WindowsFile(name, ".pid").c_str());
    return samples;
}

// The frequency from zero crossings is enough for two tones an octave apart.
std::string ToneWindows(const std::vector<short>& samples, double splitHz)
{
    std::string out;
    for (size_t start = 0; start + windowSamples <= samples.size(); start += windowSamples) {
        double energy = 0;
        int crossings = 0;
        for (int i = 0; i < windowSamples; ++i) {
            const double value = samples[start + i];
            energy += value * value;
            if (i > 0 && (samples[start + i - 1] < 0) != (value < 0)) ++crossings;
        }
        const double frequency = crossings / 2.0 * 50.0;
        if (std::sqrt(energy / windowSamples) < silenceRms)
            out += '.';
        else
            out += frequency < splitHz ? 'L' : 'H';
    }
    return out;
}

// Runs of one or two windows are the edges of a tone (a fade reads as a lower pitch), not tones.
std::vector<TToneRun> ToneRuns(const std::string& windows)
{
    const int shortest = 3;
    std::vector<TToneRun> raw, runs;
    for (char window : windows) {
        if (window == '.') continue;
        if (raw.empty() || raw.back().tone != window)
            raw.push_back(TToneRun{window, 1});
        else
            ++raw.back().windows;
    }
    for (const TToneRun& run : raw) {
        if (run.windows < shortest) continue;
        if (!runs.empty() && runs.back().tone == run.tone)
            runs.back().windows += run.windows;
        else
            runs.push_back(run);
    }
    return runs;
}

int SoundBursts(const std::string& windows, int minWindows)
{
    int bursts = 0, length = 0;
    for (size_t i = 0; i <= windows.size(); ++i) {
        if (i < windows.size() && windows[i] != '.') {
            ++length;
            continue;
        }
        if (length >= minWindows) ++bursts;
        length = 0;
    }
    return bursts;
}

bool WriteToneFile(const std::string& path, double frequency, double seconds, double fadeSeconds)
{
    const int rate = TSinkRecording::SampleRate;
    const int count = static_cast<int>(rate * seconds);
    const int fade = std::max(1, static_cast<int>(rate * fadeSeconds));
    std::vector<unsigned char> data;
    data.insert(data.end(), {'R', 'I', 'F', 'F'});
    PutLittleEndian(data, 36 + count * 2, 4);
    data.insert(data.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLittleEndian(data, 16, 4);
    PutLittleEndian(data, 1, 2); // PCM
    PutLittleEndian(data, 1, 2); // mono
    PutLittleEndian(data, rate, 4);
    PutLittleEndian(data, rate * 2, 4);
    PutLittleEndian(data, 2, 2);
    PutLittleEndian(data, 16, 2);
    data.insert(data.end(), {'d', 'a', 't', 'a'});
    PutLittleEndian(data, count * 2, 4);
    for (int i = 0; i < count; ++i) {
        const double envelope = std::fmin(1.0, std::fmin(static_cast<double>(i) / fade, static_cast<double>(count - 1 - i) / fade));
        const short value = static_cast<short>(12000 * envelope * std::sin(2 * pi * frequency * i / rate));
        PutLittleEndian(data, static_cast<uint16_t>(value), 2);
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    std::fclose(file);
    return written;
}
