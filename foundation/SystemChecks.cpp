// Checks of the running system; the version and taskbar answers are remembered for the run.
#include "foundation/SystemChecks.h"

namespace {

struct VersionFacts {
    DWORD version = 0;
    DWORD platform = 0;
};

const VersionFacts& Facts()
{
    static const VersionFacts facts = [] {
        VersionFacts made;
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info;
        if (GetVersionExA(&info)) {
            made.version = (info.dwMajorVersion << 24) + (info.dwMinorVersion << 16) + (info.dwBuildNumber & 0xFFFF);
            made.platform = info.dwPlatformId;
        }
        return made;
    }();
    return facts;
}

} // namespace

DWORD SystemVersion() { return Facts().version; }

DWORD SystemPlatform() { return Facts().platform; }

bool HasRebarTaskbar()
{
    static const bool hasRebar = [] {
        HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
        return tray != nullptr && FindWindowExA(tray, nullptr, "ReBarWindow32", nullptr) != nullptr;
    }();
    return hasRebar;
}

bool IsKeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

bool IsPaletteDevice(HDC dc) { return (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0; }
