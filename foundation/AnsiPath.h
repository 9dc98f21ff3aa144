// AnsiPath: names the system gives in UTF-16 made into paths that this ANSI program can open,
// and the files left out because they have none.
#pragma once

#include <windows.h>

#include <string>

#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"

// The program's text as UTF-16, read in its code page.
std::wstring WideText(const char* text);

// `length` UTF-16 units of `text` (-1: up to its NUL) in the program's code page, when they come
// back from it unchanged; false otherwise, for a best-fit or "?" stand-in names another file.
bool ExactAnsi(const wchar_t* text, int length, THeapString& out);

// What the code page can show of a name: "?" for every character it lacks, never a look-alike.
THeapString ShownAnsi(const wchar_t* text);

// Files that no path the program can open reaches, gathered over one batch for one notice.
class TLeftOutPaths {
public:
    static const int NamesKept = 3;

    void Add(const char* shownName);
    void Add(const TLeftOutPaths& other);
    int Count() const { return count; }
    // The first NamesKept of them, as the code page shows them.
    const THeapStringList& FirstNames() const { return names; }

private:
    int count = 0;
    THeapStringList names;
};

// A path that the ANSI file functions open: `path` itself when it survives the round trip through
// the code page, else its short 8.3 path; either must fit in MAX_PATH bytes. Otherwise (no short
// name on the volume, a path too long) the empty text, and the path is noted in `leftOut` if given.
THeapString OpenableAnsiPath(const wchar_t* path, TLeftOutPaths* leftOut);
// The same for an entry of a folder listing, under `folder` (a path that opens, ending in a
// backslash): the listing's own short name stands in, without asking the file system again.
THeapString OpenableAnsiPath(const char* folder, const WIN32_FIND_DATAW& entry);
