// WindowText and ChildTexts: WM_GETTEXT with a time limit, so a hung program cannot hang a test.
#include "support/WindowTexts.h"

#include <vector>

namespace {

BOOL CALLBACK AppendText(HWND child, LPARAM texts)
{
    *reinterpret_cast<std::string*>(texts) += WindowText(child) + "\n";
    return TRUE;
}

} // namespace

// Asked in Unicode and given back in the code page: an ANSI rich edit of another process
// answers WM_GETTEXT only so.
std::string WindowText(HWND window)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length);
    std::vector<wchar_t> text(length * 2 + 2); // an ANSI rich edit needs room for its bytes
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    std::vector<char> bytes(text.size() * 2 + 1);
    WideCharToMultiByte(CP_ACP, 0, text.data(), -1, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes.data();
}

std::string ChildTexts(HWND parent)
{
    std::string texts;
    EnumChildWindows(parent, AppendText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}
