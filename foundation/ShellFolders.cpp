// ShellFolders: special-folder lookups through the shell, system directories from KERNEL32.
#include "foundation/ShellFolders.h"

#include "foundation/Handles.h"
#include "foundation/StringOperations.h"

#include <windows.h>
#include <shlobj.h>

namespace {

const DWORD DirectoryBufferSize = 261;

THeapString WithBackslash(const char* path)
{
    if (path[0] == '\0' || LastChar(path) == "\\") return THeapString(path);
    return Concat(path, "\\");
}

// `written` is what the directory call returned: 0 on failure, the size wanted when the
// buffer was too small.
THeapString DirectoryResult(const char* buffer, DWORD written)
{
    if (written == 0 || written >= DirectoryBufferSize) return THeapString();
    return WithBackslash(buffer);
}

} // namespace

THeapString SpecialFolderPath(int csidl)
{
    LPITEMIDLIST found = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &found)) || found == nullptr) return THeapString();
    const TOwnedItemList list(found);
    char buffer[MAX_PATH + 1] = "";
    const BOOL hasPath = SHGetPathFromIDListA(list, buffer);
    return hasPath ? WithBackslash(buffer) : THeapString();
}

THeapString WindowsDirectory()
{
    char buffer[DirectoryBufferSize] = "";
    return DirectoryResult(buffer, GetWindowsDirectoryA(buffer, DirectoryBufferSize));
}

THeapString SystemDirectory()
{
    char buffer[DirectoryBufferSize] = "";
    return DirectoryResult(buffer, GetSystemDirectoryA(buffer, DirectoryBufferSize));
}

THeapString CurrentDirectory()
{
    char buffer[DirectoryBufferSize] = "";
    return DirectoryResult(buffer, GetCurrentDirectoryA(DirectoryBufferSize, buffer));
}
