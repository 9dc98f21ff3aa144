// TRegValue and its typed forms: each reads through the store's fall-back search.
#include "foundation/RegValue.h"

TRegValue::TRegValue(const TRegistryStore& store, const char* name) : store(store), name(name) {}

TRegValue::~TRegValue() = default;

bool TRegStringValue::Exists() const
{
    THeapString text;
    return store.ReadString(name, text) == ERROR_SUCCESS;
}

THeapString TRegStringValue::Get() const
{
    THeapString text;
    store.ReadString(name, text);
    return text;
}

bool TRegDwordValue::Exists() const
{
    DWORD value = 0;
    return store.ReadDword(name, value) == ERROR_SUCCESS;
}

DWORD TRegDwordValue::Get(DWORD fallback) const
{
    DWORD value = fallback;
    store.ReadDword(name, value);
    return value;
}

bool TRegBinaryValue::Exists() const
{
    std::vector<unsigned char> data;
    return store.ReadBinary(name, data) == ERROR_SUCCESS;
}

std::vector<unsigned char> TRegBinaryValue::Get() const
{
    std::vector<unsigned char> data;
    store.ReadBinary(name, data);
    return data;
}
