// TNoticeWatch: a timer of the thread that reads and answers the boxes it finds.
#include "support/NoticeWatch.h"

namespace {

TNoticeWatch* watching = nullptr; // the one watch of this thread; timers carry no context

BOOL CALLBACK ReadChild(HWND child, LPARAM lParam)
{
    auto& notice = *reinterpret_cast<TSeenNotice*>(lParam);
    if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) notice.withCheck = true;
    char text[1024] = "";
    GetWindowTextA(child, text, sizeof text);
    notice.text += std::string(text) + "|";
    return TRUE;
}

} // namespace

TNoticeWatch::TNoticeWatch() : timer(SetTimer(nullptr, 0, 30, &Watch)) { watching = this; }

TNoticeWatch::~TNoticeWatch()
{
    KillTimer(nullptr, timer);
    watching = nullptr;
}

BOOL CALLBACK TNoticeWatch::Answer(HWND window, LPARAM)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "ShapeClass") != 0 || !IsWindowVisible(window) || !GetDlgItem(window, IDOK)) return TRUE;
    TSeenNotice notice{"", false};
    EnumChildWindows(window, &ReadChild, reinterpret_cast<LPARAM>(&notice));
    if (watching) watching->seen.push_back(notice);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    return FALSE;
}

void CALLBACK TNoticeWatch::Watch(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &Answer, 0);
}
