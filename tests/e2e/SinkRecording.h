// What the program played: the PulseAudio null sink recorded, and the tones read back from it.
#pragma once

#include <string>
#include <vector>

// Records the null sink's monitor (mono, 16 bits, SampleRate) from construction to Stop.
class TSinkRecording {
public:
    TSinkRecording();
    ~TSinkRecording();
    TSinkRecording(const TSinkRecording&) = delete;
    TSinkRecording& operator=(const TSinkRecording&) = delete;

    bool Started() const { return started; }
    // What has been recorded so far, while the recording goes on, and just its length.
    std::vector<short> Peek() const;
    size_t Recorded() const;
    std::vector<short> Stop();

    static const int SampleRate = 22050;

private:
    bool started = false;
    std::string name; // of the raw file and the recorder's pid file under /tmp
};

// One character per 20 ms: '.' silence, 'L' a tone below `splitHz`, 'H' one above it.
std::string ToneWindows(const std::vector<short>& samples, double splitHz);
// The tones in order with runs of the same tone joined across short silences, each with its
// length in windows: "L30 H31 L29" reads as three tracks.
struct TToneRun {
    char tone;
    int windows;
};
std::vector<TToneRun> ToneRuns(const std::string& windows);
// Runs of sound separated by at least one silent window, at least `minWindows` long.
int SoundBursts(const std::string& windows, int minWindows);

// A 16-bit mono wave file of a sine tone with short fades (a sharp onset with a fade of a
// millisecond or so).
bool WriteToneFile(const std::string& path, double frequency, double seconds, double fadeSeconds = 0.03);
