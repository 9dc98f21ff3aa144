// TPumpPacer: pumping by need during batch loops, paced by the performance counter.
#include "framework/PumpPacer.h"

#include "framework/ShapeLoops.h"

TPumpPacer::TPumpPacer()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs = frequency.QuadPart >= 1000 ? frequency.QuadPart / 1000 : 1;
    lastPump = lastLook = Now();
}

LONGLONG TPumpPacer::Now() const
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

bool TPumpPacer::Step(bool drew)
{
    const LONGLONG now = Now();
    bool due = drew || now - lastPump >= FrameMs * ticksPerMs;
    if (!due && now - lastLook >= ticksPerMs) {
        lastLook = now;
        due = HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0;
    }
    if (!due) return false;
    PumpPending();
    lastPump = lastLook = Now();
    return true;
}
