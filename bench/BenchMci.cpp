// B-mci: plays the files named on the command line one after another, round and round, with
// MCI and nothing else: open, play with notify, on MM_MCINOTIFY close and open the next.
// With "/once" first it plays them once and then waits, as a player stopped after playing
// does, with the libraries of MCI still loaded. WM_CLOSE ends it.
#include <windows.h>
#include <mmsystem.h>

#include <cstdlib>

namespace {

int firstFile = 1; // in __argv
int nextFile = 0;
bool once = false;
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
    const int files = __argc - firstFile;
    if (files < 1) return;
    const char* file = __argv[firstFile + nextFile];
    nextFile = (nextFile + 1) % files;
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
        if (!once || nextFile != 0) OpenNext(window);
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
    once = __argc > 1 && lstrcmpiA(__argv[1], "/once") == 0;
    if (once) firstFile = 2;
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
