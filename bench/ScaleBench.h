// The cost of big play lists: adding, scanning, saving and loading, and opening the settings
// window, each for Kelvane's code or for its baseline. NaN (or false) when it could not measure.
#pragma once

#include "BenchSetup.h"

// AddPaths of the entries into the settings window's file list box (kelvane_ops add), against
// B-list filling its LISTBOX with as many strings.
double AddPathsMs(bool kelvane, const TBenchSetup& setup);

// The whole run of a program that scans the tree: kelvane_ops scan (ScanFolder) against
// cmd /c dir /s /b. `callMs` gets the ScanFolder call alone, measured inside kelvane_ops.
double ScanMs(bool kelvane, const TBenchSetup& setup, double* callMs);

// The main shape's SaveValues and LoadValues (kelvane_ops persist) against B-reg writing and
// reading back as many values.
bool PersistMs(bool kelvane, const TBenchSetup& setup, double& saveMs, double& loadMs);

// Command 201 to resident Kelvane holding the entries, until its settings window is visible
// and painted, against B-list showing its filled LISTBOX on the same command.
double OpenSettingsMs(bool kelvane, const TBenchSetup& setup);
