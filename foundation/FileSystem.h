// FileSystem: whether files, folders and drives are there, asked of the file system.
#pragma once

#include <windows.h>

// DriveType's answer for a network path, outside GetDriveTypeA's range.
const UINT NetworkPathDriveType = 0x2222;

// A directory search finds the name (a file or a folder; wildcards match as they do there).
bool FileExists(const char* path);
// The folder can be listed: the search for path + "\*" finds anything.
bool FolderExists(const char* path);
// NetworkPathDriveType for a "\\server" path, else GetDriveTypeA of the path's root (of the
// current drive for a path without one).
UINT DriveType(const char* path);
// On a fixed disk or RAM disk, FileExists; on any other kind of drive or on the network
// true without touching the medium, so no floppy or CD drive is spun up.
bool IsPathAvailable(const char* path);
