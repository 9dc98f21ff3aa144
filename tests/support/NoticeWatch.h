// TNoticeWatch: while it lives, every message box this thread shows (a visible shape with an
// OK button) is read and answered with OK, so that a test can run code that raises notices.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TSeenNotice {
    std::string text; // every child's text, each followed by "|"
    bool withCheck;   // it offered "do not show again"
};

class TNoticeWatch {
public:
    TNoticeWatch();
    ~TNoticeWatch();
    TNoticeWatch(const TNoticeWatch&) = delete;
    TNoticeWatch& operator=(const TNoticeWatch&) = delete;

    const std::vector<TSeenNotice>& Seen() const { return seen; }
    void Clear() { seen.clear(); }

private:
    static void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK Answer(HWND window, LPARAM);

    UINT_PTR timer = 0;
    std::vector<TSeenNotice> seen;
};
