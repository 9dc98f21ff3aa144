// TTempFolder: a unique folder per process and instance, and its removal however deep it grew.
#include "support/TempFolder.h"

#include <cstdio>

#include "support/WideText.h"

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

std::wstring TTempFolder::WideFile(const std::wstring& relative, const std::string& bytes) const
{
    const std::wstring path = Wide(root) + L"\\" + relative;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::wstring();
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

void TTempFolder::RemoveTree(const std::string& folder) { RemoveWideTree(Wide(folder)); }

// In UTF-16, for names outside the code page; a link is removed, never followed.
void TTempFolder::RemoveWideTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL); // hidden, system and read-only go too
            const DWORD attributes = found.dwFileAttributes;
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveWideTree(path);
            else if (!DeleteFileW(path.c_str()))
                RemoveDirectoryW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}
