// What every measurement of a run shares: the test tones, the scanned tree and the sizes.
#pragma once

#include <string>

struct TBenchSetup {
    std::string lowTone;   // Windows paths of two 0.5 s tones with sharp onsets
    std::string highTone;
    double toneSeconds = 0.5;
    std::string tree;      // the generated folder tree that both scans walk
    int treeFiles = 0;     // files in it
    int entries = 10000;   // play-list entries, paths added, list box lines, registry values
    int tracks = 7;        // tones recorded per gap measurement
    double residentSeconds = 30; // length of the idle and playing windows
    std::string scratch;   // a folder for the measuring programs' result files
};
