// TRegistryStore: key list management, key operations and typed value reads and writes.
#include "foundation/RegistryStore.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace {

constexpr DWORD NameBufferSize = 255;

// Bytes before the first NUL, never past `size`: stored data need not be terminated.
int TextLength(const BYTE* bytes, DWORD size)
{
    const void* nul = std::memchr(bytes, 0, size);
    return static_cast<int>(nul ? static_cast<const BYTE*>(nul) - bytes : static_cast<ptrdiff_t>(size));
}

// Only a true 4-byte REG_DWORD may land in a caller's number; anything else would be garbage.
bool IsDword(DWORD type, DWORD size) { return type == REG_DWORD && size == sizeof(DWORD); }

LONG KeepFirstError(LONG sofar, LONG result) { return sofar != ERROR_SUCCESS ? sofar : result; }

} // namespace

HKEY PredefinedRoot(int index)
{
    static const HKEY roots[RegistryRootCount] = {
        HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT, HKEY_USERS, HKEY_CURRENT_USER, HKEY_DYN_DATA, HKEY_CURRENT_CONFIG,
    };
    return index >= 0 && index < RegistryRootCount ? roots[index] : nullptr;
}

TRegistryStore::TRegistryStore() : count(0), first(nullptr), last(nullptr) {}

TRegistryStore::TRegistryStore(const TRegistryStore& other) : TRegistryStore() { CopyFrom(other); }

TRegistryStore::TRegistryStore(const TRegistryKeyEntry* entries, int entryCount) : TRegistryStore()
{
    for (int i = 0; i < entryCount; ++i) Append(entries[i].handle, entries[i].parent, entries[i].path);
}

TRegistryStore::TRegistryStore(std::initializer_list<TRegistryKeyEntry> entries)
    : TRegistryStore(entries.begin(), static_cast<int>(entries.size()))
{
}

TRegistryStore& TRegistryStore::operator=(const TRegistryStore& other)
{
    if (this != &other) {
        RemoveAll();
        CopyFrom(other);
    }
    return *this;
}

TRegistryStore::~TRegistryStore() { RemoveAll(); }

void TRegistryStore::AddKey(HKEY handle, HKEY parent, const char* path) { Append(handle, parent, path); }

void TRegistryStore::RemoveAll()
{
    while (first) {
        Node* next = first->next;
        delete first;
        first = next;
    }
    last = nullptr;
    count = 0;
}

void TRegistryStore::Append(HKEY handle, HKEY parent, const char* path)
{
    Node* node = new Node{last, nullptr, handle, false, parent, THeapString(path)};
    if (last) last->next = node;
    else first = node;
    last = node;
    ++count;
}

void TRegistryStore::CopyFrom(const TRegistryStore& other)
{
    for (Node* node = other.first; node; node = node->next) Append(node->handle, node->parent, node->path);
}

TRegistryStore::Node* TRegistryStore::NodeAt(int index) const
{
    Node* node = first;
    for (int i = 0; node && i < index; ++i) node = node->next;
    return index >= 0 ? node : nullptr;
}

HKEY TRegistryStore::Handle(int index) const
{
    Node* node = NodeAt(index);
    return node ? node->handle : nullptr;
}

HKEY TRegistryStore::Parent(int index) const
{
    Node* node = NodeAt(index);
    return node ? node->parent : nullptr;
}

const THeapString& TRegistryStore::Path(int index) const { return NodeAt(index)->path; }

// A store that creates or opens a key it already holds open closes the old handle first,
// so repeating CreateKeys does not leak.
void TRegistryStore::Adopt(Node* node, HKEY opened)
{
    CloseNode(node);
    node->handle = opened;
    node->ownsHandle = opened != nullptr;
}

// Handles copied from another store are only forgotten: their owner closes them.
LONG TRegistryStore::CloseNode(Node* node)
{
    LONG result = node->ownsHandle && node->handle ? RegCloseKey(node->handle) : ERROR_SUCCESS;
    node->handle = nullptr;
    node->ownsHandle = false;
    return result;
}

LONG TRegistryStore::DeleteNode(Node* node)
{
    CloseNode(node);
    return node->parent ? RegDeleteKeyA(node->parent, node->path) : ERROR_INVALID_HANDLE;
}

LONG TRegistryStore::CreateKeys(DWORD options)
{
    LONG firstError = ERROR_SUCCESS;
    for (Node* node = first; node; node = node->next) {
        HKEY opened = nullptr;
        LONG result = node->parent ? RegCreateKeyExA(node->parent, node->path, 0, nullptr, options, KEY_ALL_ACCESS,
                                                     nullptr, &opened, nullptr)
                                   : ERROR_INVALID_HANDLE;
        Adopt(node, result == ERROR_SUCCESS ? opened : nullptr);
        firstError = KeepFirstError(firstError, result);
    }
    return firstError;
}

LONG TRegistryStore::OpenKeys()
{
    LONG firstError = ERROR_SUCCESS;
    for (Node* node = first; node; node = node->next) {
        HKEY opened = nullptr;
        LONG result = node->parent ? RegOpenKeyExA(node->parent, node->path, 0, KEY_ALL_ACCESS, &opened)
                                   : ERROR_INVALID_HANDLE;
        Adopt(node, result == ERROR_SUCCESS ? opened : nullptr);
        firstError = KeepFirstError(firstError, result);
    }
    return firstError;
}

LONG TRegistryStore::CloseKeys()
{
    LONG firstError = ERROR_SUCCESS;
    for (Node* node = first; node; node = node->next) firstError = KeepFirstError(firstError, CloseNode(node));
    return firstError;
}

LONG TRegistryStore::DeleteKeys()
{
    LONG firstError = ERROR_SUCCESS;
    for (Node* node = first; node; node = node->next) firstError = KeepFirstError(firstError, DeleteNode(node));
    return firstError;
}

LONG TRegistryStore::DeleteKeys(int index)
{
    Node* node = NodeAt(index);
    return node ? DeleteNode(node) : ERROR_INVALID_PARAMETER;
}

LONG TRegistryStore::Query(const char* name, BYTE* data, DWORD& size, Acceptor accept) const
{
    const DWORD capacity = size;
    LONG result = ERROR_FILE_NOT_FOUND;
    for (Node* node = last; node; node = node->previous) {
        DWORD type = REG_NONE;
        size = capacity;
        result = node->handle ? RegQueryValueExA(node->handle, name, nullptr, &type, data, &size)
                              : ERROR_INVALID_HANDLE;
        if (result == ERROR_SUCCESS && accept && !accept(type, size)) result = ERROR_INVALID_DATA;
        if (result == ERROR_SUCCESS) return result;
    }
    size = 0;
    return result;
}

LONG TRegistryStore::ReadString(const char* name, THeapString& text) const
{
    BYTE buffer[ReadBufferSize];
    DWORD size = sizeof buffer;
    LONG result = Query(name, buffer, size, nullptr);
    if (result == ERROR_SUCCESS) text = THeapString(reinterpret_cast<const char*>(buffer), TextLength(buffer, size));
    else text = "";
    return result;
}

LONG TRegistryStore::ReadDword(const char* name, DWORD& value) const
{
    DWORD read = 0;
    DWORD size = sizeof read;
    LONG result = Query(name, reinterpret_cast<BYTE*>(&read), size, IsDword);
    if (result == ERROR_SUCCESS) value = read;
    return result;
}

LONG TRegistryStore::ReadBinary(const char* name, std::vector<unsigned char>& data) const
{
    BYTE buffer[ReadBufferSize];
    DWORD size = sizeof buffer;
    LONG result = Query(name, buffer, size, nullptr);
    data.assign(buffer, buffer + (result == ERROR_SUCCESS ? size : 0));
    return result;
}

LONG TRegistryStore::ReadMultiString(const char* name, THeapStringList& texts) const
{
    texts.Clear();
    BYTE buffer[ReadBufferSize];
    DWORD size = sizeof buffer;
    LONG result = Query(name, buffer, size, nullptr);
    if (result != ERROR_SUCCESS) return result;
    for (DWORD position = 0; position < size;) {
        int length = TextLength(buffer + position, size - position);
        if (length == 0) break; // the empty text closes the list
        texts.Append(THeapString(reinterpret_cast<const char*>(buffer + position), length));
        position += static_cast<DWORD>(length) + 1;
    }
    return result;
}

LONG TRegistryStore::Write(const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = LastHandle();
    if (!key) return ERROR_INVALID_HANDLE;
    return RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

LONG TRegistryStore::WriteString(const char* name, const char* text)
{
    if (!text) text = "";
    return Write(name, REG_SZ, text, static_cast<DWORD>(std::strlen(text)) + 1);
}

LONG TRegistryStore::WriteDword(const char* name, DWORD value) { return Write(name, REG_DWORD, &value, sizeof value); }

LONG TRegistryStore::WriteBinary(const char* name, const void* data, DWORD size)
{
    return Write(name, REG_BINARY, data, size);
}

LONG TRegistryStore::WriteMultiString(const char* name, const THeapStringList& texts)
{
    std::string block;
    for (const THeapString& text : texts) {
        block.append(text.Text());
        block.push_back('\0');
    }
    block.push_back('\0');
    return Write(name, REG_MULTI_SZ, block.data(), static_cast<DWORD>(block.size()));
}

LONG TRegistryStore::DeleteValue(const char* name)
{
    HKEY key = LastHandle();
    return key ? RegDeleteValueA(key, name) : ERROR_INVALID_HANDLE;
}

// A key that never had the value is not a failure here.
LONG TRegistryStore::DeleteValueInAllKeys(const char* name)
{
    LONG firstError = ERROR_SUCCESS;
    for (Node* node = first; node; node = node->next) {
        LONG result = node->handle ? RegDeleteValueA(node->handle, name) : ERROR_INVALID_HANDLE;
        if (result != ERROR_FILE_NOT_FOUND) firstError = KeepFirstError(firstError, result);
    }
    return firstError;
}

// A name too long for the buffer is skipped rather than ending the listing early.
LONG TRegistryStore::EnumValueNames(HKEY key, THeapStringList& names)
{
    names.Clear();
    char name[NameBufferSize];
    for (DWORD index = 0;; ++index) {
        DWORD length = NameBufferSize;
        LONG result = RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) return result;
        names.Append(name);
    }
}

LONG TRegistryStore::EnumSubkeyNames(HKEY key, THeapStringList& names)
{
    names.Clear();
    char name[NameBufferSize];
    for (DWORD index = 0;; ++index) {
        DWORD length = NameBufferSize;
        LONG result = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) return result;
        names.Append(name);
    }
}

LONG TRegistryStore::DeleteAllValues(HKEY key)
{
    THeapStringList names;
    EnumValueNames(key, names);
    LONG firstError = ERROR_SUCCESS;
    for (const THeapString& name : names) firstError = KeepFirstError(firstError, RegDeleteValueA(key, name));
    names.Clear();
    return firstError;
}
