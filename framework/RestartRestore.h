// Restart restore: a RunOnce entry that starts the program again after Windows restarts,
// with a block of the program's own data kept for it.
#pragma once

#include <windows.h>

#include <vector>

// Writes the RunOnce value <application name><N> = <program> /restore:<N> for the first free
// N and, when a block is given, keeps it as value N in the application's "Serialize" section.
// True only when both were written; without a block always false.
bool RegisterRestart(const void* data, DWORD size);

// When the command line has "/restore:<N>", hands back the block kept as value N and deletes
// it. Shift held at that moment ends the process (status -1): the user refused the restore.
bool TakeRestartData(std::vector<unsigned char>& data);

// The RunOnce key, under HKEY_CURRENT_USER.
extern const char RunOnceKeyPath[];
