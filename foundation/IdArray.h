// TIdArray: an owned, zero-terminated array of 32-bit identifiers (control identifiers and the like).
#pragma once

#include <cstdint>

// Helpers on any zero-terminated identifier array; null counts as the empty array.
int IdCount(const std::int32_t* ids);                        // values before the terminating 0
bool SameIds(const std::int32_t* a, const std::int32_t* b);  // equal up to and including the first 0

class TIdArray {
public:
    TIdArray();                                        // just the terminator
    explicit TIdArray(const std::int32_t* ids);        // a copy of count + 1 elements
    // Room for at least `atLeast` values: the copied values, then zeros up to and including
    // the terminator at index max(count, atLeast), so the caller may fill the free places.
    TIdArray(const std::int32_t* ids, int atLeast);
    TIdArray(const TIdArray& other);
    TIdArray& operator=(const TIdArray& other);
    ~TIdArray();

    int Count() const { return IdCount(values); }
    int Capacity() const { return capacity; } // elements before the final terminator
    const std::int32_t* Values() const { return values; }
    std::int32_t* Values() { return values; }
    bool operator==(const TIdArray& other) const { return SameIds(values, other.values); }
    bool operator!=(const TIdArray& other) const { return !SameIds(values, other.values); }

private:
    void CopyFrom(const std::int32_t* ids, int atLeast);
    std::int32_t* values; // owned; capacity + 1 elements, the last always 0
    int capacity;
};
