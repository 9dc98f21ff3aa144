// MciPlayback: one file (or CD track) opened and played through MCI with a completion notice.
#pragma once

#include <windows.h>
#include <mmsystem.h>

// Every operation takes `report`: with it an MCI error shows the "MCI_Error" box over
// `window`; without it errors pass silently. `window` also receives MM_MCINOTIFY.

// Opens and plays a media file (a bare name relative to the current directory) or, for a
// name ending in ".cda", the CD track its first digits number. The device, or 0 on failure.
// `playEnd` gets where the play stops: a CD track's end in milliseconds, 0 for the media's end.
MCIDEVICEID OpenAndPlay(HWND window, const char* name, bool report, DWORD* playEnd = nullptr);
// Plays a paused device on from where it stands, up to `playEnd` unless that is 0; on failure
// the device is closed. It asks for no notice of its own: the one of the play it continues,
// which a pause keeps, tells of the end.
bool ResumePlay(HWND window, MCIDEVICEID device, bool report, DWORD playEnd = 0);
void PauseDevice(MCIDEVICEID device);
// Stop, then close; both wait and neither result matters.
void CloseDevice(MCIDEVICEID device);
// True when `code` is an error.
bool ReportMciError(HWND window, MCIERROR code, bool report);

// The track number of a ".cda" name: the first run of digits; 0 when there is none or it is
// no plausible track number.
int CdTrackNumber(const char* name);
// True when the last four characters are ".cda" in any case.
bool IsCdTrackName(const char* name);

// Test seam: what sends the MCI commands (mciSendCommandA by default); returns the previous.
using TMciSender = MCIERROR(WINAPI*)(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters);
TMciSender ReplaceMciSender(TMciSender sender);
