// TPumpPacer: when a long loop on the user-interface thread lets the message queue have its turn.
#pragma once

#include <windows.h>

// A batch loop calls Step after each step of its work; the pacer pumps (PumpPending) when the
// step changed what a window shows, when about a frame has passed since the last pump, or
// when input, a sent or posted message, a timer or paint waits. Under Wine a look at the
// queue costs as much as pumping an empty one, some 40 us, so the queue is looked at no more
// than once a millisecond: pumping at every step made adding ten thousand paths 25 times
// slower than filling a plain list box.
class TPumpPacer {
public:
    TPumpPacer();
    // True when it pumped: only then can the user have changed anything.
    bool Step(bool drew = false);

    static const int FrameMs = 16;

private:
    LONGLONG Now() const;

    LONGLONG ticksPerMs;
    LONGLONG lastPump;
    LONGLONG lastLook;
};
