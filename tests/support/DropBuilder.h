// Builds a real HDROP for tests: a DROPFILES block in global memory with ANSI names, as the
// shell hands it over. The receiver releases it with DragFinish.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

inline HDROP MakeDrop(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names) list += name + '\0';
    list += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    std::copy(list.begin(), list.end(), reinterpret_cast<char*>(header + 1));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}
