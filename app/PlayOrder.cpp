// The play order: a linear congruential generator and the no-repeat draw.
#include "app/PlayOrder.h"

#include <cstring>

namespace {

bool AnyEntryDiffers(const THeapStringList& list, const char* current)
{
    for (const THeapString& entry : list)
        if (std::strcmp(entry, current) != 0) return true;
    return false;
}

} // namespace

int TPlayOrder::NextNumber()
{
    state = state * 22695477u + 1u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

int TPlayOrder::IndexBelow(int n, uint32_t seconds)
{
    return static_cast<int>((seconds + static_cast<uint32_t>(NextNumber())) % static_cast<uint32_t>(n));
}

int TPlayOrder::Draw(const THeapStringList& list, const char* current, uint32_t seconds)
{
    const int count = list.Count();
    if (count == 0) return -1;
    if (!current) current = "";
    int index = IndexBelow(count, seconds);
    if (count < 2 || !AnyEntryDiffers(list, current)) return index;
    while (std::strcmp(list.Item(index), current) == 0) index = IndexBelow(count, seconds);
    return index;
}

TPlayOrder& PlayOrder()
{
    static TPlayOrder order;
    return order;
}
