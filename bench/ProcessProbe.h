// What Linux knows of a Wine process, read from /proc (Wine shows it as Z:\proc): CPU time
// and voluntary context switches of all its threads, and its memory.
#pragma once

struct TProcessSample {
    bool valid = false;
    double cpuMs = 0;                // time on a CPU, all threads (schedstat)
    long long voluntarySwitches = 0; // all threads
    double residentMb = 0;           // smaps_rollup Rss
    double privateDirtyMb = 0;       // smaps_rollup Private_Dirty
};

// The newest process of this Wine prefix whose name (the program file's name, as Wine sets
// it) is `programName`; 0 when there is none.
int FindUnixProcess(const char* programName);

TProcessSample ReadProcess(int unixPid);
