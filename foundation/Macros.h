// Macros: "%iuser%", "%ncpu%" and the other system-information macros of a text, and the
// expansion of a text's time tokens, date tokens and macros in one go.
#pragma once

#include "foundation/DateTime.h"
#include "foundation/HeapString.h"

// Where macro values come from: a text value of a registry key, looked up anew for every
// macro met. `root` is the library's number of a predefined key (0 HKEY_LOCAL_MACHINE,
// 3 HKEY_CURRENT_USER); a missing key or value reads as the empty text.
class TMacroSource {
public:
    virtual ~TMacroSource();
    virtual THeapString ReadText(int root, const char* keyPath, const char* valueName) = 0;
};

enum TMacroRoot { MacroRootLocalMachine = 0, MacroRootCurrentUser = 3 };

// Replaces every macro of the text with its value; "%%%" gives "%"; any other "%" is copied
// together with the text up to and including the next "%". Values are not scanned again.
THeapString ExpandMacros(const char* text, TMacroSource& source);

// The time tokens at `time`, then the date tokens of `date`, then the macros; no padding.
THeapString ExpandAll(const char* text, const TDate& date, const TTime& time, TMacroSource& source);

// The same against the registry and the local clock (Windows only).
THeapString ExpandMacros(const char* text);
THeapString ExpandAll(const char* text);
