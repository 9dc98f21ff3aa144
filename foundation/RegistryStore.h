// TRegistryStore: an ordered list of registry keys; reads fall back from the last key to the first.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"

// One key of a store, as handed to the constructor. Callers pass a null handle.
struct TRegistryKeyEntry {
    HKEY handle; // borrowed
    HKEY parent; // borrowed: a predefined root or another store's open key
    THeapString path;
};

// The predefined roots, in the order the library numbers them.
enum TRegistryRoot {
    RootLocalMachine,
    RootClassesRoot,
    RootUsers,
    RootCurrentUser,
    RootDynData,
    RootCurrentConfig,
    RegistryRootCount
};
HKEY PredefinedRoot(int index); // null outside 0 .. RegistryRootCount - 1

class TRegistryStore {
public:
    TRegistryStore();
    // A copy shares the handle values but owns none of them: create or open it before use.
    TRegistryStore(const TRegistryStore& other);
    TRegistryStore(const TRegistryKeyEntry* entries, int entryCount);
    TRegistryStore(std::initializer_list<TRegistryKeyEntry> entries);
    TRegistryStore& operator=(const TRegistryStore& other);
    // Does not close handles: owners call CloseKeys first.
    ~TRegistryStore();

    void AddKey(HKEY handle, HKEY parent, const char* path);
    void RemoveAll();

    int Count() const { return count; }
    HKEY Handle(int index) const;
    HKEY Parent(int index) const;
    const THeapString& Path(int index) const; // 0 <= index < Count()
    HKEY FirstHandle() const { return first ? first->handle : nullptr; }
    HKEY LastHandle() const { return last ? last->handle : nullptr; }

    // Each walks every entry and returns the first non-zero error met, or 0.
    LONG CreateKeys(DWORD options = 0);
    LONG OpenKeys();
    LONG CloseKeys();
    LONG DeleteKeys();
    LONG DeleteKeys(int index);

    // Reads search from the last entry back to the first; 0 when found.
    LONG ReadString(const char* name, THeapString& text) const;
    LONG ReadDword(const char* name, DWORD& value) const;
    LONG ReadBinary(const char* name, std::vector<unsigned char>& data) const;
    LONG ReadMultiString(const char* name, THeapStringList& texts) const;

    // Writes and single-value deletes go to the last entry.
    LONG WriteString(const char* name, const char* text);
    LONG WriteDword(const char* name, DWORD value);
    LONG WriteBinary(const char* name, const void* data, DWORD size);
    LONG WriteMultiString(const char* name, const THeapStringList& texts);
    LONG DeleteValue(const char* name);
    LONG DeleteValueInAllKeys(const char* name);

    static LONG EnumValueNames(HKEY key, THeapStringList& names);
    static LONG EnumSubkeyNames(HKEY key, THeapStringList& names);
    static LONG DeleteAllValues(HKEY key);

    static constexpr DWORD ReadBufferSize = 1024; // a longer value reads as missing

private:
    struct Node {
        Node* previous;
        Node* next;
        HKEY handle;   // owned when `ownsHandle`, else borrowed from the store this was copied from
        bool ownsHandle;
        HKEY parent;   // borrowed
        THeapString path;
    };
    using Acceptor = bool (*)(DWORD type, DWORD size);

    Node* NodeAt(int index) const;
    void Append(HKEY handle, HKEY parent, const char* path);
    void CopyFrom(const TRegistryStore& other);
    static void Adopt(Node* node, HKEY opened);
    static LONG CloseNode(Node* node);
    static LONG DeleteNode(Node* node);
    LONG Query(const char* name, BYTE* data, DWORD& size, Acceptor accept) const;
    LONG Write(const char* name, DWORD type, const void* data, DWORD size);

    int count;
    Node* first; // owned, with every node after it
    Node* last;
};
