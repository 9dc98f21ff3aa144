// THeapString: value semantics over one exactly-sized heap buffer.
#include "foundation/HeapString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

char* AllocateText(const char* bytes, int length)
{
    char* text = new char[length + 1];
    if (length > 0) std::memcpy(text, bytes, static_cast<size_t>(length));
    text[length] = '\0';
    return text;
}

// Formats into a scratch buffer of `size` bytes and returns it; the caller owns it.
char* FormatInto(int size, const char* fmt, va_list args)
{
    if (size < 1) size = 1;
    char* scratch = new char[size];
    int written = std::vsnprintf(scratch, static_cast<size_t>(size), fmt, args);
    if (written < 0) scratch[0] = '\0';
    return scratch;
}

} // namespace

THeapString::THeapString() : buffer(AllocateText("", 0)) {}

THeapString::THeapString(const char* text)
    : buffer(AllocateText(text ? text : "", text ? static_cast<int>(std::strlen(text)) : 0)) {}

THeapString::THeapString(const char* bytes, int length)
    : buffer(AllocateText(bytes, bytes && length > 0 ? length : 0)) {}

THeapString::THeapString(const THeapString& other) : buffer(AllocateText(other.buffer, other.Length())) {}

THeapString& THeapString::operator=(const THeapString& other)
{
    if (this != &other) Assign(other.buffer, other.Length());
    return *this;
}

THeapString& THeapString::operator=(const char* text)
{
    if (text != buffer) Assign(text ? text : "", text ? static_cast<int>(std::strlen(text)) : 0);
    return *this;
}

THeapString::~THeapString() { delete[] buffer; }

void THeapString::Assign(const char* bytes, int length)
{
    char* fresh = AllocateText(bytes, length); // before releasing: `bytes` may point into our buffer
    delete[] buffer;
    buffer = fresh;
}

int THeapString::Length() const { return static_cast<int>(std::strlen(buffer)); }

bool THeapString::operator==(const THeapString& other) const { return std::strcmp(buffer, other.buffer) == 0; }

bool THeapString::operator==(const char* other) const { return std::strcmp(buffer, other ? other : "") == 0; }

THeapString& THeapString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    char* scratch = FormatInto(4 * static_cast<int>(std::strlen(fmt)) + 64, fmt, args);
    va_end(args);
    Assign(scratch, static_cast<int>(std::strlen(scratch)));
    delete[] scratch;
    return *this;
}

THeapString& THeapString::FormatSized(int size, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    char* scratch = FormatInto(size, fmt, args);
    va_end(args);
    Assign(scratch, static_cast<int>(std::strlen(scratch)));
    delete[] scratch;
    return *this;
}

char* THeapString::Reserve(int capacity)
{
    if (capacity < 0) capacity = 0;
    char* fresh = new char[capacity + 1];
    std::memset(fresh, 0, static_cast<size_t>(capacity) + 1);
    delete[] buffer;
    buffer = fresh;
    return buffer;
}

void THeapString::Release() { Assign(buffer, Length()); }

void THeapString::Swap(THeapString& other)
{
    char* mine = buffer;
    buffer = other.buffer;
    other.buffer = mine;
}
