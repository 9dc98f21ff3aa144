// File names outside code page 932, as users have them: an accented Latin letter, Hangul and an
// emoji (a surrogate pair), and whether an ANSI path reaches a file.
#pragma once

#include <windows.h>

#include <string>

const wchar_t* const ForeignNames[] = {L"caf\u00e9.wav", L"\ud55c\uad6d.wav", L"\U0001F3B5.wav"};

// The ANSI file functions find it: what the player's MCI open needs.
inline bool OpensAsAnsi(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
