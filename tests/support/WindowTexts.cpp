// WindowText and ChildTexts: WM_GETTEXT with a time limit, so a hung program cannot hang a test.
#include "support/WindowTexts.h"

std::string WindowText(HWND window)
{
    char text[1024] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

std::string ChildTexts(HWND parent)
{
    std::string texts;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts += WindowText(child) + "\n";
    return texts;
}
