// A library that a test loads into a running kelvane.exe to post to its file list what the
// shell and the keyboard would post there, from inside the process: a drop's HDROP must be
// the receiver's own memory. It reads its orders from its own path with ".txt" appended, one
// a line: first "window" and the list's handle in decimal, then "drop" followed by the dropped
// paths and "end", or "key" and a virtual-key code in decimal. Having posted them in that
// order it declines to stay loaded. It sends nothing: its caller holds the loader's lock.
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/DropBuilder.h"

namespace {

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    CloseHandle(file);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void PostOrders(HMODULE self)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(self, path, MAX_PATH);
    const std::vector<std::string> lines = ReadLines(std::string(path) + ".txt");
    if (lines.empty() || lines[0].compare(0, 7, "window ") != 0) return;
    HWND list = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(lines[0].c_str() + 7, nullptr, 10)));
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i] == "drop") {
            std::vector<std::string> names;
            while (++i < lines.size() && lines[i] != "end") names.push_back(lines[i]);
            PostMessageA(list, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0);
        } else if (lines[i].compare(0, 4, "key ") == 0) {
            PostMessageA(list, WM_KEYDOWN, static_cast<WPARAM>(std::atoi(lines[i].c_str() + 4)), 1);
        }
    }
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    PostOrders(self);
    return FALSE;
}
