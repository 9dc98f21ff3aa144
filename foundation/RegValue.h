// TRegValue and its typed forms: a named value of a store, asked whether it exists and read.
#pragma once

#include <windows.h>

#include <vector>

#include "foundation/HeapString.h"
#include "foundation/RegistryStore.h"

// Settings are read with a default: if Exists, take Get; otherwise keep the default.
class TRegValue {
public:
    TRegValue(const TRegistryStore& store, const char* name);
    TRegValue(const TRegValue&) = delete;
    TRegValue& operator=(const TRegValue&) = delete;

    virtual DWORD ValueType() const = 0;
    virtual bool Exists() const = 0;
    virtual ~TRegValue();

    const TRegistryStore& Store() const { return store; }
    const THeapString& Name() const { return name; }

protected:
    const TRegistryStore& store; // borrowed: must outlive the value
    THeapString name;
};

class TRegStringValue : public TRegValue {
public:
    using TRegValue::TRegValue;
    DWORD ValueType() const override { return REG_SZ; }
    bool Exists() const override;
    THeapString Get() const; // the empty text when missing
};

class TRegDwordValue : public TRegValue {
public:
    using TRegValue::TRegValue;
    DWORD ValueType() const override { return REG_DWORD; }
    bool Exists() const override;
    DWORD Get(DWORD fallback = 0) const;
};

class TRegBinaryValue : public TRegValue {
public:
    using TRegValue::TRegValue;
    DWORD ValueType() const override { return REG_BINARY; }
    bool Exists() const override;
    std::vector<unsigned char> Get() const; // empty when missing
};
