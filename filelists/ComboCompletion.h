// ComboCompletion: matching typed text against a combo edit's history, Shift-JIS aware.
#pragma once

#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"

// Letters (ASCII and full-width) compared without case, by whole characters.
bool EqualsNoCase(const char* a, const char* b);
bool StartsWithNoCase(const char* text, const char* prefix);

// The longest common prefix (whole characters) of the entries that start with `typed`,
// case ignored; empty when no entry does.
THeapString CommonCompletion(const THeapStringList& history, const char* typed);

// `typed` followed by what the completion adds beyond it; `typed` itself when it adds nothing.
THeapString CompletedText(const THeapStringList& history, const char* typed);

// The first entry equal to `text` byte-wise, else the first equal without case, else -1.
int MatchingEntry(const THeapStringList& history, const char* text);
