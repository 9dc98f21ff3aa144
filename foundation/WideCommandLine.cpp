// WideCommandLine: the UTF-16 command line parsed through its code-page form, arguments taken from UTF-16.
#include "foundation/WideCommandLine.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

TLeftOutPaths& ProcessLeftOut()
{
    static TLeftOutPaths leftOut;
    return leftOut;
}

} // namespace

void ParseWideCommandLine(const wchar_t* wide, TCommandLine& line, TLeftOutPaths& leftOut)
{
    // The parser reads the code page. A character that the code page lacks is never one the rules
    // look at (blanks, quotes, "/", ":" and backslashes all are), so "?" stands in for it, and
    // every byte remembers the UTF-16 unit it came from.
    const std::wstring text = wide ? wide : L"";
    std::string ansi;
    std::vector<size_t> unitOf;
    for (size_t unit = 0; unit < text.size();) {
        const size_t units = IS_HIGH_SURROGATE(text[unit]) && unit + 1 < text.size() ? 2 : 1;
        THeapString character;
        if (!ExactAnsi(text.c_str() + unit, static_cast<int>(units), character)) character = "?";
        for (const char* byte = character; *byte; ++byte) {
            ansi += *byte;
            unitOf.push_back(unit);
        }
        unit += units;
    }
    unitOf.push_back(text.size());
    line.Parse(ansi.c_str());

    THeapStringList paths;
    for (int i = 0; i < line.ArgumentCount(); ++i) {
        const auto place = line.ArgumentPlace(i);
        const size_t begin = unitOf[static_cast<size_t>(place.first)], end = unitOf[static_cast<size_t>(place.second)];
        if (begin == end) { // a word of quotes alone: an empty argument, as the rules give
            paths.Append("");
            continue;
        }
        const THeapString path = OpenableAnsiPath(text.substr(begin, end - begin).c_str(), &leftOut);
        if (!path.IsEmpty()) paths.Append(path);
    }
    line.ReplaceArguments(paths);
}

void ParseProcessCommandLine()
{
    ProcessLeftOut() = TLeftOutPaths();
    ParseWideCommandLine(GetCommandLineW(), ProcessCommandLine(), ProcessLeftOut());
}

const TLeftOutPaths& LeftOutArguments() { return ProcessLeftOut(); }
