// PathOperations: file paths cut, joined and picked apart, stepping over two-byte characters.
#pragma once

#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"

// A null text counts as the empty text. Only whole characters are compared, so the trail
// byte 0x5C of a two-byte character is never taken for a backslash.

// Clears `components`, then fills it with the parts between backslashes and slashes. A
// leading pair of separators stays with the first part ("\\server"), a single leading
// separator leaves an empty first part; "." parts are dropped and ".." removes the part
// before it, but never a drive, a server or its share.
void SplitPath(const char* path, THeapStringList& components);

// The path with "." and ".." resolved and backslashes as separators; a path without a drive
// or a server is taken relative to the program's directory.
THeapString FullPath(const char* path);

// "C:\" for a drive path, "\\server\share\" (or "\\server\") for a network path, else "".
THeapString RootOf(const char* path);

// Up to and including the last backslash; "" when there is none.
THeapString DirectoryOf(const char* path);
// After the last backslash.
THeapString FileNameOf(const char* path);
// After the last "." of the file name, without the dot; "" when none or when it ends the path.
THeapString ExtensionOf(const char* path);

// The text in double quotes, unless it already begins and ends with one.
THeapString Quoted(const char* text);

// The program part of a trimmed command text: up to and including the second backslash of
// a text that begins with one; else the text before the first blank run when what follows
// it is one of \ / : , ; * ? " < > |; else the whole text.
THeapString CommandPart(const char* text);
