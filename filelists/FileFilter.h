// FileFilter: reading an open-file dialog filter block (description / pattern pairs).
#pragma once

#include "foundation/HeapStringList.h"

// A block is `size` bytes of zero-terminated strings, description then pattern, ending with
// an empty string; nothing past `size` is read, so a block without its final zero is safe.

// The extension after the last "." of every ";"-separated pattern, in block order, repeats
// kept ("*.*" gives "*"). Replaces `out`.
void FilterExtensions(const char* block, int size, THeapStringList& out);

// True when `extension` (without the dot) equals one of `extensions`, ASCII case ignored.
bool ExtensionListed(const char* extension, const THeapStringList& extensions);

// The 1-based pair the open-file dialog should preselect for a file with `extension`
// (with its dot, as ".wav"; "" for none).
int FilterIndexFor(const char* block, int size, const char* extension);
