// Unix programs (xdotool, parec, sh) started from a Windows test through Wine's bridge.
#pragma once

#include <windows.h>

#include <string>

// Starts `commandLine` (a Unix program path and its arguments) without waiting: Wine's
// launcher returns before the program ends. False when it could not be started.
bool StartUnix(const std::string& commandLine);

// Runs a shell script and waits (at most timeoutMs) until it has finished, through a marker
// file that the script writes last. The script runs in /tmp, which Wine sees as Z:\tmp.
bool RunUnixScript(const std::string& script, DWORD timeoutMs = 10000);

bool HaveUnixProgram(const char* windowsPath);

// The Unix path of a Windows path, as Wine maps it; empty when not under Wine.
std::string UnixPath(const std::string& windowsPath);

// xdotool drives the X display: pointer moves, clicks and key strokes as a user makes them.
// RunXdotool returns once xdotool has sent them all.
bool HaveXdotool();
bool RunXdotool(const std::string& arguments);
