// TTempFolder: a unique folder per process and instance, and its removal however deep it grew.
#include "support/TempFolder.h"

#include <cstdio>

TTempFolder::TTempFolder()
{
    static int made = 0;
    char base[MAX_PATH + 1] = "";
    GetTempPathA(MAX_PATH, base);
    char name[48];
    // Short, so that tests of long paths have room to build them inside.
    std::snprintf(name, sizeof name, "kelvane-%lu-%d", static_cast<unsigned long>(GetCurrentProcessId()), ++made);
    root = std::string(base) + name;
    RemoveTree(root); // left behind by an earlier process of the same id
    CreateDirectoryA(root.c_str(), nullptr);
}

TTempFolder::~TTempFolder() { RemoveTree(root); }

std::string TTempFolder::Folder(const std::string& relative) const
{
    const std::string path = Path(relative);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

std::string TTempFolder::File(const std::string& relative, const std::string& bytes, DWORD attributes) const
{
    const std::string path = Path(relative);
    Write(path, bytes, attributes);
    return path;
}

bool TTempFolder::Write(const std::string& path, const std::string& bytes, DWORD attributes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return wrote && written == bytes.size();
}

std::string TTempFolder::Read(const std::string& path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void TTempFolder::RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); // hidden, system and read-only go too
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}
