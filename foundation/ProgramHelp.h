// The program's help, on every road (F1, Help buttons and menus, context help, "/?"): WinHelp
// where the system has it, else the same help as an HTML page in the user's browser.
#pragma once

#include <windows.h>

// Up to Windows XP, WinHelp; from Windows Vista on, which ship without it, the page beside the
// help file (its path with ".html" for ".HLP"). Takes WinHelpA's arguments, so that it stands
// wherever WinHelpA stood. Where the help is the page, every request opens the page at its
// top, and HELP_QUIT has nothing to close: the browser is the user's.
BOOL WINAPI OpenHelp(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data);

// The help switch: the help as a document of its own, with no window of the program (the
// .HLP through its file type, or the page). False, and nothing opened, when it does not
// exist; true once it was handed to the shell.
bool OpenHelpDocument(const char* helpFile);
