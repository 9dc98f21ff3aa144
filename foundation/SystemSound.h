// The system sounds that go with message kinds and message-box icons.
#pragma once

#include <windows.h>

// Kind 16 error, 32 question, 48 warning, 64 information; anything else the default sound.
// Played asynchronously; a sound already playing is not interrupted.
void PlaySystemSound(int kind);
// The kind for an icon identifier (IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK).
int SoundKindForIcon(int iconId);
void PlaySoundForIcon(int iconId);

// Test seam: the function that plays the alias (PlaySoundA by default); returns the previous one.
using TSoundPlayer = BOOL(WINAPI*)(LPCSTR sound, HMODULE module, DWORD flags);
TSoundPlayer ReplaceSoundPlayer(TSoundPlayer player);
