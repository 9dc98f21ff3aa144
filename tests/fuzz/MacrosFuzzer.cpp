// Fuzzes the macro expansion and the full expansion with arbitrary texts and with macro
// values taken from the input.
#include "foundation/Macros.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

// Answers each read with the next piece of the value text ("|" separates the pieces),
// starting over when they run out, and counts the reads.
class TInputSource : public TMacroSource {
public:
    explicit TInputSource(const std::string& values) : values(values) {}
    THeapString ReadText(int root, const char* keyPath, const char* valueName) override
    {
        Check((root == MacroRootLocalMachine || root == MacroRootCurrentUser) && keyPath && valueName);
        ++reads;
        if (values.empty()) return THeapString();
        if (next > values.size()) next = 0;
        size_t end = values.find('|', next);
        if (end == std::string::npos) end = values.size();
        THeapString piece(values.c_str() + next, static_cast<int>(end - next));
        next = end + 1;
        return piece;
    }

    int reads = 0;

private:
    std::string values;
    size_t next = 0;
};

class TEmptySource : public TMacroSource {
public:
    THeapString ReadText(int, const char*, const char*) override { return THeapString(); }
};

} // namespace

// Input layout: the text to expand, a NUL, then the values handed out by the source.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string text = input.substr(0, split);
    const std::string values = split == std::string::npos ? std::string() : input.substr(split + 1);

    TInputSource source(values.c_str()); // values end at their first NUL, as registry texts do
    const THeapString expanded = ExpandMacros(text.c_str(), source);
    if (text.find('%') == std::string::npos) Check(expanded == text.c_str() && source.reads == 0);

    // With nothing to insert, a macro only ever shrinks to nothing and "%%%" to "%".
    TEmptySource empty;
    Check(ExpandMacros(text.c_str(), empty).Length() <= static_cast<int>(text.size()));

    const TDate date = {2000, 3, 8};
    const TTime time = {1, 14, 5, 9, 123};
    (void)ExpandAll(text.c_str(), date, time, source);
    return 0;
}
