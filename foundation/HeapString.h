// THeapString: the system's one string type, an owned exactly-sized Shift-JIS byte buffer.
#pragma once

#include <cstdio> // defines __MINGW_PRINTF_FORMAT under mingw-w64

// mingw-w64 formats with its own C99 printf (long double, %lld), which plain `printf` in a
// format attribute would check against the Microsoft rules instead.
#ifdef __MINGW_PRINTF_FORMAT
#define VANTRY_PRINTF_FORMAT __MINGW_PRINTF_FORMAT
#else
#define VANTRY_PRINTF_FORMAT printf
#endif

class THeapString {
public:
    THeapString();
    THeapString(const char* text);              // null counts as the empty text
    THeapString(const char* bytes, int length); // a byte range, not NUL-terminated
    THeapString(const THeapString& other);
    THeapString& operator=(const THeapString& other);
    THeapString& operator=(const char* text);
    ~THeapString();

    const char* Text() const { return buffer; }
    operator const char*() const { return buffer; }
    int Length() const;
    bool IsEmpty() const { return buffer[0] == '\0'; }
    unsigned char Byte(int index) const { return static_cast<unsigned char>(buffer[index]); }

    bool operator==(const THeapString& other) const;
    bool operator==(const char* other) const;
    bool operator!=(const THeapString& other) const { return !(*this == other); }
    bool operator!=(const char* other) const { return !(*this == other); }

    // printf-style; replaces the contents. Format reserves 4 x length(fmt) + 64 bytes,
    // FormatSized exactly `size` bytes; output that would not fit is cut, never overrun.
    THeapString& Format(const char* fmt, ...) __attribute__((format(VANTRY_PRINTF_FORMAT, 2, 3)));
    THeapString& FormatSized(int size, const char* fmt, ...) __attribute__((format(VANTRY_PRINTF_FORMAT, 3, 4)));

    // Hands the buffer over to a callee that fills it, sized for `capacity` bytes plus
    // the terminator; the text is cut at the first NUL afterwards by Release().
    char* Reserve(int capacity);
    void Release();

    void Swap(THeapString& other);

private:
    void Assign(const char* bytes, int length);
    char* buffer; // owned; never null, exactly length + 1 bytes (except between Reserve and Release)
};
