// The texts windows show, read with WM_GETTEXT, from this process's windows or another's.
#pragma once

#include <windows.h>

#include <string>

std::string WindowText(HWND window);
// The texts of all of a window's child windows, one per line.
std::string ChildTexts(HWND parent);
