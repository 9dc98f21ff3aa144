// FileSystem: existence of files and folders and the kind of drive a path lies on.
#include "foundation/FileSystem.h"

#include "foundation/PathOperations.h"
#include "foundation/StringOperations.h"

bool FileExists(const char* path)
{
    if (path == nullptr || path[0] == '\0') return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool FolderExists(const char* path)
{
    // An empty path would list the root of the current drive.
    if (path == nullptr || path[0] == '\0') return false;
    THeapString pattern(path);
    if (LastChar(pattern) != "\\") pattern = Concat(pattern, "\\");
    return FileExists(Concat(pattern, "*"));
}

UINT DriveType(const char* path)
{
    if (path != nullptr && path[0] == '\\' && path[1] == '\\') return NetworkPathDriveType;
    THeapString root = RootOf(path);
    return GetDriveTypeA(root.IsEmpty() ? nullptr : root.Text());
}

bool IsPathAvailable(const char* path)
{
    UINT type = DriveType(path);
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) return FileExists(path);
    return true;
}
