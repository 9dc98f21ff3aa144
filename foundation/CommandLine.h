// TCommandLine: the command line cut into program path, arguments and switches, and the
// process-wide instance that the process entry fills once at start-up.
#pragma once

#include <utility>
#include <vector>

#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"

class TCommandLine {
public:
    void Parse(const char* text);

    const THeapString& ProgramPath() const { return programPath; }
    THeapString HelpFilePath() const;
    int ArgumentCount() const { return arguments.Count(); }
    THeapString Argument(int index) const { return arguments.Item(index); }
    // Where argument `index` lies in the text given to Parse: its first byte and the byte after it.
    std::pair<int, int> ArgumentPlace(int index) const { return argumentPlaces[index]; }
    // Puts these in place of the arguments, which then have no place in the text.
    void ReplaceArguments(const THeapStringList& replacement);
    int SwitchCount() const { return switches.Count(); }
    THeapString Switch(int index) const { return switches.Item(index); }
    int FindSwitch(const char* name) const;
    THeapString SwitchValue(int index) const;
    void Clear();

private:
    void TakeWords(const char* text, const THeapStringList& rawWords, int firstOffset);

    THeapString programPath;
    THeapStringList arguments; // non-switch words, in order
    std::vector<std::pair<int, int>> argumentPlaces;
    THeapStringList switches;  // words beginning with "/", each as written
};

// Text without its first and last character when it begins and ends with a double quote.
THeapString Unquoted(const char* text);

// Cuts a command line into raw words: blank runs, non-blank runs and quoted runs.
void CutRawWords(const char* text, THeapStringList& words);

// The process-wide command line and its accessors.
TCommandLine& ProcessCommandLine();
THeapString ProgramPath();
THeapString HelpFilePath();
int ArgumentCount();
THeapString Argument(int index);
int FindSwitch(const char* name);
THeapString SwitchValue(int index);
