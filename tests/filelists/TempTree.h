// TTempTree: a real folder tree under the temporary directory for scan and drop tests, removed afterwards.
#pragma once

#include <windows.h>

#include <cstdio>

#include "foundation/HeapString.h"
#include "foundation/StringOperations.h"

class TTempTree {
public:
    TTempTree()
    {
        static int made = 0;
        char base[MAX_PATH + 1] = "";
        GetTempPathA(MAX_PATH, base);
        char name[64];
        std::snprintf(name, sizeof name, "kelvane-tree-%lu-%d", static_cast<unsigned long>(GetCurrentProcessId()),
                      ++made);
        root = Concat(base, name);
        CreateDirectoryA(root, nullptr);
    }
    ~TTempTree() { RemoveTree(root); }
    TTempTree(const TTempTree&) = delete;
    TTempTree& operator=(const TTempTree&) = delete;

    // Full path of a relative one ("a\\b.wav"); the root itself for "".
    THeapString Path(const char* relative) const { return *relative ? Concat(Concat(root, "\\"), relative) : root; }

    THeapString Folder(const char* relative) const
    {
        THeapString path = Path(relative);
        CreateDirectoryA(path, nullptr);
        return path;
    }

    THeapString File(const char* relative, DWORD attributes = FILE_ATTRIBUTE_NORMAL, const char* bytes = "x") const
    {
        THeapString path = Path(relative);
        HANDLE handle = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
        DWORD written = 0;
        WriteFile(handle, bytes, static_cast<DWORD>(lstrlenA(bytes)), &written, nullptr);
        CloseHandle(handle);
        return path;
    }

    THeapString root; // no trailing backslash

private:
    static void RemoveTree(const char* folder)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(Concat(folder, "\\*"), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (lstrcmpA(found.cFileName, ".") == 0 || lstrcmpA(found.cFileName, "..") == 0) continue;
                THeapString path = Concat(Concat(folder, "\\"), found.cFileName);
                SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileA(path);
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder);
    }
};
