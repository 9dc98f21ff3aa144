// The running copy of the program: found by its main window and handed the Settings command.
#pragma once

#include <windows.h>

// True when a copy runs and was handed the command; the start lock calls it while it waits.
bool HandToRunningCopy();

// Posts the Settings command to the running copy's window. First it lets that copy take the
// foreground: since Windows 2000 only the process that received the last input may, and that
// is this one, which the user just started; the running copy's window would only flash.
void HandSettingsTo(HWND running);

// Test seam: what passes the foreground right on (AllowSetForegroundWindow by default);
// returns the previous.
using TForegroundGrant = BOOL(WINAPI*)(DWORD processId);
TForegroundGrant ReplaceForegroundGrant(TForegroundGrant grant);
