// Fuzzes the filter-block readers: the first byte picks an extension, the rest is the block.
#include "filelists/FileFilter.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

const char* const Extensions[] = {"", ".wav", ".mid", ".*", "*", ".\x8A\x65", ";", "."};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const char* extension = Extensions[data[0] % (sizeof Extensions / sizeof Extensions[0])];
    // An exact-size copy, so that any read past the block is caught.
    std::vector<char> block(data + 1, data + size);
    const int length = static_cast<int>(block.size());

    THeapStringList extensions;
    FilterExtensions(block.data(), length, extensions);
    for (int i = 0; i < extensions.Count(); ++i) {
        Check(std::strchr(extensions.Item(i), ';') == nullptr);
        Check(ExtensionListed(extensions.Item(i), extensions));
    }

    int pairs = 0, strings = 0;
    for (int i = 0; i < length && block[i] != '\0';) {
        while (i < length && block[i] != '\0') ++i;
        ++i;
        if (++strings % 2 == 0) ++pairs;
    }
    const int index = FilterIndexFor(block.data(), length, extension);
    Check(index >= 1);
    Check(index <= (pairs > 0 ? pairs : 1));
    return 0;
}
