// TStartLock: only one copy starts at a time, even when several are started at once.
#pragma once

#include <windows.h>

// A named mutex that the running copy holds for its whole run. FindWindowA alone races when
// copies start together (none sees another's window yet): a copy that cannot take the lock
// waits until the holder's window appears (and hands over to it) or until the holder is gone.
class TStartLock {
public:
    TStartLock();
    ~TStartLock();
    TStartLock(const TStartLock&) = delete;
    TStartLock& operator=(const TStartLock&) = delete;

    // True when this copy may run; false when `handOver` found a running copy (and gave it
    // the command) or the wait ran out. `handOver` returns true once it has handed over.
    bool Acquire(bool (*handOver)(), DWORD timeoutMs);

private:
    HANDLE mutex;
    bool owned = false;
};
