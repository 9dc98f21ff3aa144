// TIdArray: counting, copying and comparing zero-terminated identifier arrays.
#include "foundation/IdArray.h"

int IdCount(const std::int32_t* ids)
{
    int count = 0;
    while (ids && ids[count] != 0) ++count;
    return count;
}

bool SameIds(const std::int32_t* a, const std::int32_t* b)
{
    static const std::int32_t empty[] = {0};
    if (!a) a = empty;
    if (!b) b = empty;
    for (int i = 0;; ++i) {
        if (a[i] != b[i]) return false;
        if (a[i] == 0) return true;
    }
}

TIdArray::TIdArray() : values(nullptr), capacity(0) { CopyFrom(nullptr, 0); }

TIdArray::TIdArray(const std::int32_t* ids) : values(nullptr), capacity(0) { CopyFrom(ids, 0); }

TIdArray::TIdArray(const std::int32_t* ids, int atLeast) : values(nullptr), capacity(0)
{
    CopyFrom(ids, atLeast);
}

TIdArray::TIdArray(const TIdArray& other) : values(nullptr), capacity(0) { CopyFrom(other.values, 0); }

TIdArray& TIdArray::operator=(const TIdArray& other)
{
    if (this != &other) CopyFrom(other.values, 0);
    return *this;
}

TIdArray::~TIdArray() { delete[] values; }

void TIdArray::CopyFrom(const std::int32_t* ids, int atLeast)
{
    const int count = IdCount(ids);
    const int size = count > atLeast ? count : atLeast;
    std::int32_t* fresh = new std::int32_t[size + 1](); // zeros: the free places and the terminator
    for (int i = 0; i < count; ++i) fresh[i] = ids[i];
    delete[] values;
    values = fresh;
    capacity = size;
}
