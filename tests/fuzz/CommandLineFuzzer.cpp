// Fuzzes the command-line parser and the switch lookups with arbitrary bytes.
#include "foundation/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    TCommandLine line;
    line.Parse(text.c_str());
    (void)line.HelpFilePath();
    for (int i = 0; i < line.ArgumentCount(); ++i) {
        // Each argument is where the parser says it lies: the wide command line is read by that place.
        const auto place = line.ArgumentPlace(i);
        const std::string parsed(text.c_str()); // Parse reads up to the first NUL
        if (parsed.substr(place.first, place.second - place.first) != line.Argument(i).Text()) __builtin_trap();
    }
    for (int i = 0; i < line.SwitchCount(); ++i) {
        THeapString name = line.Switch(i);
        (void)line.SwitchValue(i);
        if (line.FindSwitch(name) < 0 && name.Text()[0] != '\0') {
            // A switch without ":" must always be found by its own text.
            bool hasColon = false;
            for (const char* p = name.Text(); *p; ++p) hasColon = hasColon || *p == ':';
            if (!hasColon) __builtin_trap();
        }
    }
    (void)Unquoted(text.c_str());
    return 0;
}
