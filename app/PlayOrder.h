// TPlayOrder: the pseudo-random numbers of the play order and the draw of the next entry.
#pragma once

#include <cstdint>

#include "foundation/HeapStringList.h"

class TPlayOrder {
public:
    void Seed(uint32_t seed) { state = seed; }
    // 0 .. 32767.
    int NextNumber();
    // (seconds + the next number) modulo n; n > 0.
    int IndexBelow(int n, uint32_t seconds);
    // The index of the next entry to play; -1 for an empty list. With two or more entries the
    // entry differs from `current` (byte-wise) unless no entry differs at all, when the first
    // draw is taken: the same path stored twice and nothing else must not hang the player.
    int Draw(const THeapStringList& list, const char* current, uint32_t seconds);

private:
    uint32_t state = 0;
};

// The one play order of the process.
TPlayOrder& PlayOrder();
