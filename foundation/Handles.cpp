// Handles: the release that needs more than one call.
#include "foundation/Handles.h"

void TItemListRelease::Release(LPITEMIDLIST list)
{
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator) return;
    allocator->Free(list);
    allocator->Release();
}
