// Fuzzes the path operations with arbitrary bytes and checks how their results fit together.
#include "foundation/CommandLine.h"
#include "foundation/PathOperations.h"
#include "foundation/StringOperations.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

bool StartsWith(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

bool EndsWith(const char* text, const char* suffix)
{
    size_t length = std::strlen(text);
    size_t suffixLength = std::strlen(suffix);
    return length >= suffixLength && std::strcmp(text + length - suffixLength, suffix) == 0;
}

// The program directories FullPath resolves against: drive, Shift-JIS, network, none.
const char* const ProgramPaths[] = {
    "C:\\Program Files\\Kelvane\\kelvane.exe",
    "D:\\\x95\x5C\\\x83\x5C\\kelvane.exe",
    "\\\\server\\share\\bin\\kelvane.exe",
    "kelvane.exe",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const int program = data[0] % 4;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const char* path = text.c_str();

    // Directory and file name are the two halves of the path.
    THeapString directory = DirectoryOf(path);
    THeapString name = FileNameOf(path);
    Check(Concat(directory, name) == THeapString(path));
    THeapString extension = ExtensionOf(path);
    Check(extension.IsEmpty() || EndsWith(name, Concat(".", extension)));

    THeapString root = RootOf(path);
    Check(root.IsEmpty() || EndsWith(root, "\\"));

    THeapStringList parts;
    SplitPath(path, parts);
    for (int i = 0; i < parts.Count(); ++i) {
        const THeapString& part = parts.Item(i);
        Check(part != ".");
        Check(!part.IsEmpty() || i == 0);
    }

    THeapString quoted = Quoted(path);
    Check(quoted.Length() >= 2 && quoted.Text()[0] == '"' && EndsWith(quoted, "\""));
    Check(quoted == THeapString(path) || Unquoted(quoted) == THeapString(path));

    Check(StartsWith(Trimmed(path), CommandPart(path)));

    // Resolving is stable: a resolved path resolves to itself.
    static int currentProgram = -1;
    if (program != currentProgram) {
        ProcessCommandLine().Parse(Quoted(ProgramPaths[program]));
        currentProgram = program;
    }
    THeapString full = FullPath(path);
    Check(FullPath(full) == full);
    return 0;
}
