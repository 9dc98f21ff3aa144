// FlashCaption: the caption-flash thread object, which deletes itself when it is done.
#include "framework/CaptionFlash.h"

#include "framework/ThreadObject.h"

namespace {

// Touches nothing but the window's caption: a window destroyed meanwhile makes FlashWindow
// fail harmlessly.
class TCaptionFlash : public TThread {
public:
    TCaptionFlash(HWND window, int count, DWORD interval) : window(window), count(count), interval(interval)
    {
        SetDeleteWhenDone(true);
    }
    void Execute() override
    {
        for (int i = 0; i < count; ++i) {
            FlashWindow(window, TRUE);
            Sleep(interval);
            FlashWindow(window, FALSE);
            Sleep(interval);
        }
    }

private:
    HWND window; // borrowed
    int count;
    DWORD interval;
};

} // namespace

bool FlashCaption(HWND window, int count, int interval)
{
    DWORD wait = interval < 0 ? GetCaretBlinkTime() : static_cast<DWORD>(interval);
    TCaptionFlash* flash = new TCaptionFlash(window, count, wait);
    if (flash->Start(4096)) return true;
    delete flash;
    return false;
}
