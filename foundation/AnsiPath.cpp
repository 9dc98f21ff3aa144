// AnsiPath: the round trip through the code page, the short-name fallback and the left-out record.
#include "foundation/AnsiPath.h"

#include <cwchar>
#include <vector>

#include "foundation/StringOperations.h"

namespace {

std::vector<std::wstring> Components(const std::wstring& path)
{
    std::vector<std::wstring> components(1);
    for (wchar_t unit : path) {
        if (unit == L'\\')
            components.emplace_back();
        else
            components.back() += unit;
    }
    return components;
}

// The short forms of just the components that need them, so that the rest reads as the user
// named it; the whole short path when the two do not pair up.
std::wstring MixedPath(const std::wstring& path, const std::wstring& shortPath)
{
    const std::vector<std::wstring> longParts = Components(path), shortParts = Components(shortPath);
    if (longParts.size() != shortParts.size()) return shortPath;
    std::wstring mixed;
    THeapString ignored;
    for (size_t i = 0; i < longParts.size(); ++i) {
        if (i > 0) mixed += L'\\';
        const std::wstring& part = longParts[i];
        mixed += ExactAnsi(part.c_str(), static_cast<int>(part.size()), ignored) ? part : shortParts[i];
    }
    return mixed;
}

bool FitsMaxPath(const THeapString& path) { return !path.IsEmpty() && path.Length() < MAX_PATH; }

// A path through short names, when the volume keeps 8.3 names (Windows can turn them off per volume).
THeapString ShortPath(const wchar_t* path)
{
    wchar_t shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameW(path, shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return THeapString();
    THeapString ansi;
    for (const std::wstring& candidate : {MixedPath(path, shortPath), std::wstring(shortPath)})
        if (ExactAnsi(candidate.c_str(), static_cast<int>(candidate.size()), ansi) && FitsMaxPath(ansi)) return ansi;
    return THeapString();
}

} // namespace

std::wstring WideText(const char* text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, nullptr, 0);
    if (size <= 1) return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], size);
    wide.resize(static_cast<size_t>(size - 1));
    return wide;
}

// Only the way back shows a best fit: code page 932 turns "é" into "e" and reports that no
// default character was used.
bool ExactAnsi(const wchar_t* text, int length, THeapString& out)
{
    if (length < 0) length = static_cast<int>(std::wcslen(text));
    if (length == 0) {
        out = "";
        return true;
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return false;
    THeapString ansi;
    char* bytes = ansi.Reserve(size);
    WideCharToMultiByte(CP_ACP, 0, text, length, bytes, size, nullptr, nullptr);
    bytes[size] = '\0';
    std::vector<wchar_t> back(static_cast<size_t>(length) + 1);
    const int backLength = MultiByteToWideChar(CP_ACP, 0, bytes, size, back.data(), length + 1);
    ansi.Release();
    if (backLength != length || std::wmemcmp(back.data(), text, static_cast<size_t>(length)) != 0) return false;
    out.Swap(ansi);
    return true;
}

THeapString ShownAnsi(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, "?", nullptr);
    THeapString shown;
    if (size <= 1) return shown;
    char* bytes = shown.Reserve(size);
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, bytes, size, "?", nullptr);
    bytes[size - 1] = '\0';
    shown.Release();
    return shown;
}

void TLeftOutPaths::Add(const char* shownName)
{
    if (count++ < NamesKept) names.Append(shownName);
}

void TLeftOutPaths::Add(const TLeftOutPaths& other)
{
    for (const THeapString& name : other.names)
        if (names.Count() < NamesKept) names.Append(name);
    count += other.count;
}

THeapString OpenableAnsiPath(const wchar_t* path, TLeftOutPaths* leftOut)
{
    if (!path || !path[0]) return THeapString();
    // Longer than MAX_PATH characters, no ANSI function takes it; it is never cut to fit.
    if (std::wcslen(path) < MAX_PATH) {
        THeapString ansi;
        if (ExactAnsi(path, -1, ansi) && FitsMaxPath(ansi)) return ansi;
        ansi = ShortPath(path);
        if (FitsMaxPath(ansi)) return ansi;
    }
    if (leftOut) leftOut->Add(ShownAnsi(path));
    return THeapString();
}

THeapString OpenableAnsiPath(const char* folder, const WIN32_FIND_DATAW& entry)
{
    for (const wchar_t* name : {entry.cFileName, entry.cAlternateFileName}) {
        THeapString ansi;
        if (!name[0] || !ExactAnsi(name, -1, ansi)) continue;
        THeapString path = Concat(folder, ansi);
        if (FitsMaxPath(path)) return path;
    }
    return THeapString();
}
