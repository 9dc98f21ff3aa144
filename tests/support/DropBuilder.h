// Builds a real HDROP for tests: a DROPFILES block in global memory with ANSI or UTF-16 names,
// as the shell hands it over. The receiver releases it with DragFinish.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

template <typename TChar>
HDROP MakeDropOf(const std::vector<std::basic_string<TChar>>& names)
{
    std::basic_string<TChar> list;
    for (const auto& name : names) list += name + TChar(0);
    list += TChar(0);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(TChar));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = sizeof(TChar) == sizeof(wchar_t);
    std::copy(list.begin(), list.end(), reinterpret_cast<TChar*>(header + 1));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

inline HDROP MakeDrop(const std::vector<std::string>& names) { return MakeDropOf(names); }
// As the shell of Windows NT and later builds it.
inline HDROP MakeWideDrop(const std::vector<std::wstring>& names) { return MakeDropOf(names); }
