// ShellFolders: special-folder lookups through the shell, system directories from KERNEL32.
#include "foundation/ShellFolders.h"

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

// Item lists come from the shell's allocator and go back to it.
void FreeItemList(LPITEMIDLIST list)
{
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || allocator == nullptr) return;
    allocator->Free(list);
    allocator->Release();
}

} // namespace

THeapString SpecialFolderPath(int csidl)
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || list == nullptr) return THeapString();
    char buffer[MAX_PATH + 1] = "";
    BOOL found = SHGetPathFromIDListA(list, buffer);
    FreeItemList(list);
    return found ? WithBackslash(buffer) : THeapString();
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
