// MciPlayback: the MCI command sequences for media files and CD tracks, and the error box.
#include "app/MciPlayback.h"

#include <cstring>

#include "controls/MessageBox.h"
#include "foundation/CommandLine.h"
#include "foundation/HeapString.h"
#include "foundation/ProcessEntry.h"
#include "foundation/StringOperations.h"

namespace {

TMciSender sendCommand = &mciSendCommandA;

// MCI unloads a driver when its last device closes, but a driver's play thread may still be
// returning from the notice it just posted: the next track's close would pull the code out
// from under it. A driver that has once been loaded stays loaded until the process ends.
const char* const mciDrivers[] = {"mciwave.dll", "mciseq.dll", "mcicda.dll", "mciavi32.dll", "mciqtz32.dll"};
HMODULE pinnedDrivers[sizeof mciDrivers / sizeof mciDrivers[0]];

void ReleaseMciDrivers()
{
    for (HMODULE& driver : pinnedDrivers) {
        if (driver) FreeLibrary(driver);
        driver = nullptr;
    }
}

// Called while a device is open, so its driver is among the loaded modules.
void PinLoadedMciDrivers()
{
    static bool registered = false;
    for (size_t i = 0; i < sizeof mciDrivers / sizeof mciDrivers[0]; ++i)
        if (!pinnedDrivers[i] && GetModuleHandleA(mciDrivers[i])) pinnedDrivers[i] = LoadLibraryA(mciDrivers[i]);
    if (!registered) AtProcessTeardown(&ReleaseMciDrivers);
    registered = true;
}

MCIERROR Send(MCIDEVICEID device, UINT message, DWORD flags, void* parameters)
{
    return sendCommand(device, message, flags, reinterpret_cast<DWORD_PTR>(parameters));
}

MCIERROR OpenDevice(DWORD flags, MCI_OPEN_PARMSA& open)
{
    const MCIERROR error = Send(0, MCI_OPEN, flags, &open);
    if (!error) PinLoadedMciDrivers();
    return error;
}

DWORD_PTR CallbackOf(HWND window) { return reinterpret_cast<DWORD_PTR>(window); }

// A failed step after the open: report it and give the device back.
MCIDEVICEID Fail(HWND window, MCIDEVICEID device, MCIERROR code, bool report)
{
    ReportMciError(window, code, report);
    CloseDevice(device);
    return 0;
}

MCIDEVICEID OpenMediaFile(HWND window, const char* name, bool report)
{
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = name;
    MCIERROR error = OpenDevice(MCI_OPEN_ELEMENT | MCI_WAIT, open);
    if (error) {
        ReportMciError(window, error, report);
        return 0;
    }
    MCI_PLAY_PARMS play{};
    play.dwCallback = CallbackOf(window);
    error = Send(open.wDeviceID, MCI_PLAY, MCI_NOTIFY, &play);
    return error ? Fail(window, open.wDeviceID, error, report) : open.wDeviceID;
}

DWORD TrackStatus(MCIDEVICEID device, int track, DWORD item, MCIERROR& error)
{
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    status.dwTrack = static_cast<DWORD>(track);
    error = Send(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK, &status);
    return static_cast<DWORD>(status.dwReturn);
}

MCIDEVICEID OpenCdTrack(HWND window, const char* name, bool report, DWORD& playEnd)
{
    // Without a track number there is nothing to play: never the CD from an undefined place.
    const int track = CdTrackNumber(name);
    if (track == 0) {
        ReportMciError(window, MCIERR_INVALID_FILE, report);
        return 0;
    }
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(MCI_DEVTYPE_CD_AUDIO));
    MCIERROR error = OpenDevice(MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_WAIT, open);
    if (error) {
        ReportMciError(window, error, report);
        return 0;
    }
    const MCIDEVICEID device = open.wDeviceID;
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    if ((error = Send(device, MCI_SET, MCI_SET_TIME_FORMAT, &set))) return Fail(window, device, error, report);
    const DWORD start = TrackStatus(device, track, MCI_STATUS_POSITION, error);
    if (error) return Fail(window, device, error, report);
    const DWORD length = TrackStatus(device, track, MCI_STATUS_LENGTH, error);
    if (error) return Fail(window, device, error, report);
    MCI_PLAY_PARMS play{};
    play.dwCallback = CallbackOf(window);
    play.dwFrom = start;
    play.dwTo = start + length;
    if ((error = Send(device, MCI_PLAY, MCI_NOTIFY | MCI_FROM | MCI_TO, &play))) return Fail(window, device, error, report);
    playEnd = play.dwTo;
    return device;
}

} // namespace

bool IsCdTrackName(const char* name)
{
    const size_t length = std::strlen(name);
    if (length < 4) return false;
    const char* tail = name + length - 4;
    return tail[0] == '.' && (tail[1] | 0x20) == 'c' && (tail[2] | 0x20) == 'd' && (tail[3] | 0x20) == 'a';
}

int CdTrackNumber(const char* name)
{
    const char* digits = std::strpbrk(name, "0123456789");
    if (!digits) return 0;
    const int largestTrack = 99; // the most a CD can hold
    int number = 0;
    for (; *digits >= '0' && *digits <= '9'; ++digits) {
        number = number * 10 + (*digits - '0');
        if (number > largestTrack) return 0;
    }
    return number;
}

MCIDEVICEID OpenAndPlay(HWND window, const char* name, bool report, DWORD* playEnd)
{
    const THeapString bare = Unquoted(name);
    DWORD end = 0;
    const MCIDEVICEID device =
        IsCdTrackName(bare) ? OpenCdTrack(window, bare, report, end) : OpenMediaFile(window, bare, report);
    if (playEnd) *playEnd = end;
    return device;
}

// A play that changes neither direction nor end keeps the pending notice of the play before
// it. One with MCI_NOTIFY would supersede that notice, and Wine then reports the resumed play
// complete at once and nothing at its end. Without its end a CD track would play on through the
// rest of the disc, and its notice would be aborted.
bool ResumePlay(HWND window, MCIDEVICEID device, bool report, DWORD playEnd)
{
    MCI_PLAY_PARMS play{};
    play.dwTo = playEnd;
    MCIERROR error = Send(device, MCI_PLAY, playEnd ? MCI_TO : 0, &play);
    if (!error) return true;
    Fail(window, device, error, report);
    return false;
}

void PauseDevice(MCIDEVICEID device)
{
    MCI_GENERIC_PARMS pause{};
    Send(device, MCI_PAUSE, MCI_WAIT, &pause);
}

void CloseDevice(MCIDEVICEID device)
{
    MCI_GENERIC_PARMS parameters{};
    Send(device, MCI_STOP, MCI_WAIT, &parameters);
    Send(device, MCI_CLOSE, MCI_WAIT, &parameters);
}

bool ReportMciError(HWND window, MCIERROR code, bool report)
{
    if (code == 0) return false;
    if (!report) return true;
    char text[256] = "";
    mciGetErrorStringA(code, text, 255);
    TButtonDescriptor ok(IDOK, "OK", "OK_ICON");
    TButtonDescriptor* buttons[] = {&ok, nullptr};
    RunMessageBox(window, "MCI_Error", "MCI Error", IconHand, text, buttons, false);
    return true;
}

TMciSender ReplaceMciSender(TMciSender sender)
{
    TMciSender previous = sendCommand;
    sendCommand = sender ? sender : &mciSendCommandA;
    return previous;
}
