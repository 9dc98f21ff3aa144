// B-mci: plays the files named on the command line one after another, round and round, with
// MCI and nothing else: open, play with notify, on MM_MCINOTIFY close and open the next.
// WM_CLOSE ends it.
#include <windows.h>
#include <mmsystem.h>

#include <cstdlib>

namespace {

int nextFile = 0;
MCIDEVICEID device = 0;

void Close()
{
    if (device == 0) return;
    MCI_GENERIC_PARMS parameters = {};
    mciSendCommandA(device, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parameters));
    device = 0;
}

void OpenNext(HWND window)
{
    if (__argc < 2) return;
    const char* file = __argv[1 + nextFile];
    nextFile = (nextFile + 1) % (__argc - 1);
    MCI_OPEN_PARMSA open = {};
    open.lpstrElementName = file;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open))) return;
    device = open.wDeviceID;
    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    if (mciSendCommandA(device, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play))) Close();
}

LRESULT CALLBACK PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MM_MCINOTIFY:
        Close();
        OpenNext(window);
        return 0;
    case WM_DESTROY:
        Close();
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlayerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BenchMciWindow";
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowA("BenchMciWindow", "BenchMci", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    // Wine unloads the wave driver when its last device closes, while the driver's thread may
    // still be returning from the notice: the close that starts the next file then crashes the
    // process within a few tracks. Kept loaded, as Kelvane keeps its drivers.
    HMODULE waveDriver = LoadLibraryA("mciwave.dll");
    OpenNext(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (waveDriver) FreeLibrary(waveDriver);
    return 0;
}
