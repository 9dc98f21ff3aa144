// TStartLock: the start mutex and the wait of a copy that came second.
#include "app/StartLock.h"

namespace {

const char lockName[] = "Orvik.Kelvane.1.x.Running";
const DWORD pollMs = 50;

} // namespace

TStartLock::TStartLock() : mutex(CreateMutexA(nullptr, FALSE, lockName)) {}

TStartLock::~TStartLock()
{
    if (!mutex) return;
    if (owned) ReleaseMutex(mutex);
    CloseHandle(mutex);
}

bool TStartLock::Acquire(bool (*handOver)(), DWORD timeoutMs)
{
    if (!mutex) return !handOver(); // without the lock, the plain window check
    // Timed by the clock: on a busy machine a poll takes longer than its timeout.
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD result = WaitForSingleObject(mutex, pollMs);
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) {
            owned = true;
            // The holder may have shown its window just before it let go.
            return !handOver();
        }
        if (handOver() || GetTickCount() - start > timeoutMs) return false;
    }
}
