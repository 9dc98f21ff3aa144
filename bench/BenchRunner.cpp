// The benchmark runner: Kelvane against its baselines in the same Wine, display and sound
// server, interleaved round by round (the side that goes first alternates), one table at the
// end, also appended with every sample to the result file.
//   bench_runner --tree FOLDER --tree-files N [--rounds R] [--seconds S] [--out FILE] [--only 1,5,8]
// --only runs just the listed items, for looking into one of them.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchSetup.h"
#include "BenchTable.h"
#include "KelvaneRun.h"
#include "ResidentBench.h"
#include "ScaleBench.h"
#include "SinkRecording.h"
#include "SoundBench.h"
#include "support/TempFolder.h"

namespace {

struct TOptions {
    int rounds = 5;
    std::string out;
    std::string only; // item numbers separated by commas; empty: all
};

bool Wanted(const TOptions& options, char item)
{
    return options.only.empty() || options.only.find(item) != std::string::npos;
}

bool ParseOptions(int argc, char** argv, TBenchSetup& setup, TOptions& options)
{
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 == argc) return false; // an option without its value
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--tree") setup.tree = value;
        else if (name == "--tree-files") setup.treeFiles = std::atoi(value);
        else if (name == "--rounds") options.rounds = std::atoi(value);
        else if (name == "--seconds") setup.residentSeconds = std::atof(value);
        else if (name == "--out") options.out = value;
        else if (name == "--only") options.only = value;
        else return false;
    }
    return !setup.tree.empty() && setup.treeFiles > 0 && options.rounds > 0 && setup.residentSeconds > 0;
}

std::string Label(const char* format, double number)
{
    char text[96];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

struct TRows {
    int music, gap, idleCpu, idleSwitches, playingCpu, resident, dirty, residentTray, dirtyTray, add, scan, scanCall,
        save, load, settings;
};

TRows AddRows(TBenchTable& table, const TBenchSetup& setup)
{
    const double entries = setup.entries, seconds = setup.residentSeconds;
    TRows rows;
    rows.music = table.AddRow("1", "time to music, /restore with 1 entry", "ms", "B-mci", 1.25);
    rows.gap = table.AddRow("2", "gap between tracks (median of a run)", "ms", "B-mci", 1.10);
    rows.idleCpu = table.AddRow("3", Label("idle: CPU time in %.0f s", seconds).c_str(), "ms", "B-tray", 1.10);
    rows.idleSwitches =
        table.AddRow("3", Label("idle: voluntary switches in %.0f s", seconds).c_str(), "count", "B-tray", 1.10);
    rows.playingCpu = table.AddRow("3", Label("playing: CPU time in %.0f s", seconds).c_str(), "ms", "B-mci", 1.20);
    // Against a player that has played too: both keep the libraries of MCI loaded.
    rows.resident = table.AddRow("4", "resident set, stopped after playing", "MB", "B-mci", 1.30);
    rows.dirty = table.AddRow("4", "private dirty, stopped after playing", "MB", "B-mci", 1.30);
    rows.residentTray = table.AddRow("4", "  resident set, against no MCI", "MB", "B-tray", 1.30);
    rows.dirtyTray = table.AddRow("4", "  private dirty, against no MCI", "MB", "B-tray", 1.30);
    rows.add = table.AddRow("5", Label("AddPaths of %.0f paths", entries).c_str(), "ms", "B-list", 3.0);
    rows.scan = table.AddRow("6", Label("scan of %.0f files, whole process", setup.treeFiles).c_str(), "ms",
                             "cmd dir", 1.0);
    rows.scanCall = table.AddRow("6", "  the ScanFolder call alone", "ms", "cmd dir", 0);
    rows.save = table.AddRow("7", Label("SaveValues of %.0f entries", entries).c_str(), "ms", "B-reg", 1.2);
    rows.load = table.AddRow("7", Label("LoadValues of %.0f entries", entries).c_str(), "ms", "B-reg", 1.2);
    rows.settings = table.AddRow("8", Label("settings window, %.0f entries", entries).c_str(), "ms", "B-list", 3.0);
    return rows;
}

void Add(TBenchTable& table, int row, bool kelvane, double value)
{
    if (kelvane)
        table.AddKelvane(row, value);
    else
        table.AddBaseline(row, value);
}

// One side of every measurement that runs Kelvane and its baseline one after the other.
void MeasureSide(TBenchTable& table, const TRows& rows, const TBenchSetup& setup, const TOptions& options,
                 bool kelvane)
{
    if (Wanted(options, '1')) Add(table, rows.music, kelvane, TimeToMusicMs(kelvane, setup));
    if (Wanted(options, '2')) Add(table, rows.gap, kelvane, MedianGapMs(kelvane, setup));
    if (Wanted(options, '5')) Add(table, rows.add, kelvane, AddPathsMs(kelvane, setup));
    if (Wanted(options, '6')) {
        double call = NAN;
        const double scan = ScanMs(kelvane, setup, &call);
        Add(table, rows.scan, kelvane, scan);
        Add(table, rows.scanCall, kelvane, kelvane ? call : scan);
    }
    double save = NAN, load = NAN;
    if (Wanted(options, '7') && PersistMs(kelvane, setup, save, load)) {
        Add(table, rows.save, kelvane, save);
        Add(table, rows.load, kelvane, load);
    }
    if (Wanted(options, '8')) Add(table, rows.settings, kelvane, OpenSettingsMs(kelvane, setup));
}

// Idle and memory (items 3 and 4) come from one window, playing from another.
void MeasureResidentPair(TBenchTable& table, const TRows& rows, const TBenchSetup& setup, const TOptions& options)
{
    if (Wanted(options, '3') || Wanted(options, '4')) {
        const TResidentFigures idle = MeasureResident(false, setup);
        if (idle.valid) {
            table.AddKelvane(rows.idleCpu, idle.kelvane.cpuMs);
            table.AddBaseline(rows.idleCpu, idle.baseline.cpuMs);
            table.AddKelvane(rows.idleSwitches, static_cast<double>(idle.kelvane.voluntarySwitches));
            table.AddBaseline(rows.idleSwitches, static_cast<double>(idle.baseline.voluntarySwitches));
            table.AddKelvane(rows.resident, idle.kelvane.residentMb);
            table.AddBaseline(rows.resident, idle.playedOnce.residentMb);
            table.AddKelvane(rows.dirty, idle.kelvane.privateDirtyMb);
            table.AddBaseline(rows.dirty, idle.playedOnce.privateDirtyMb);
            table.AddKelvane(rows.residentTray, idle.kelvane.residentMb);
            table.AddBaseline(rows.residentTray, idle.baseline.residentMb);
            table.AddKelvane(rows.dirtyTray, idle.kelvane.privateDirtyMb);
            table.AddBaseline(rows.dirtyTray, idle.baseline.privateDirtyMb);
        }
    }
    if (Wanted(options, '3')) {
        const TResidentFigures playing = MeasureResident(true, setup);
        if (playing.valid) {
            table.AddKelvane(rows.playingCpu, playing.kelvane.cpuMs);
            table.AddBaseline(rows.playingCpu, playing.baseline.cpuMs);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    TBenchSetup setup;
    TOptions options;
    if (!ParseOptions(argc, argv, setup, options)) {
        std::fprintf(stderr, "usage: bench_runner --tree FOLDER --tree-files N [--rounds R] [--seconds S] [--out FILE]\n");
        return 2;
    }
    if (FindMainWindow()) {
        std::fprintf(stderr, "bench_runner: kelvane.exe already runs in this Wine prefix; end it first\n");
        return 2;
    }
    TTempFolder scratch;
    setup.scratch = scratch.Path();
    setup.lowTone = scratch.Path() + "\\low.wav";
    setup.highTone = scratch.Path() + "\\high.wav";
    // Above 500 Hz every millisecond of tone holds a full peak, so onsets read to the sample.
    if (!WriteToneFile(setup.lowTone, 660, setup.toneSeconds, 0.001) ||
        !WriteToneFile(setup.highTone, 990, setup.toneSeconds, 0.001)) {
        std::fprintf(stderr, "bench_runner: cannot write the tones\n");
        return 2;
    }
    ClearKelvaneSettings();

    TBenchTable table;
    const TRows rows = AddRows(table, setup);
    for (int round = 0; round < options.rounds; ++round) {
        std::fprintf(stderr, "round %d of %d\n", round + 1, options.rounds);
        const bool kelvaneFirst = round % 2 == 0;
        MeasureSide(table, rows, setup, options, kelvaneFirst);
        MeasureSide(table, rows, setup, options, !kelvaneFirst);
        MeasureResidentPair(table, rows, setup, options);
    }
    ClearKelvaneSettings();

    const std::string result = table.Format();
    std::fputs(result.c_str(), stdout);
    const std::string missing = options.only.empty() ? table.Missing() : "";
    if (!missing.empty()) std::printf("no number for: %s\n", missing.c_str());
    std::fflush(stdout);
    if (!options.out.empty()) {
        if (FILE* out = std::fopen(options.out.c_str(), "ab")) {
            std::fprintf(out, "%s%s%s\nsamples, in the order measured:\n%s", result.c_str(),
                         missing.empty() ? "" : "no number for: ", missing.empty() ? "" : (missing + "\n").c_str(),
                         table.Samples().c_str());
            std::fclose(out);
        }
    }
    return missing.empty() ? 0 : 1;
}
