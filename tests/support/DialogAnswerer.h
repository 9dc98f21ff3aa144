// TDialogAnswerer: answers, from a thread of its own, the common dialog that the test's
// thread opens next: types the name and presses OK, or presses Cancel when there is no name.
// It keeps answering until the dialog has gone, so a late dialog or a missed answer cannot
// hang the test; boxes that the dialog raises itself are cancelled, and a dialog that keeps
// refusing the name is cancelled too.
#pragma once

#include <windows.h>
#include <dlgs.h>

#include <atomic>
#include <string>

#include "support/Wait.h"

class TDialogAnswerer {
public:
    // Starts answering for the calling thread; `fileName` null presses Cancel.
    explicit TDialogAnswerer(const char* fileName) : threadId(GetCurrentThreadId()), fileName(fileName)
    {
        thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~TDialogAnswerer() { Wait(); }
    TDialogAnswerer(const TDialogAnswerer&) = delete;
    TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;

    // Waits until the dialog has gone (or the answerer gave up after two minutes).
    void Wait()
    {
        if (!thread) return;
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        thread = nullptr;
    }
    bool Answered() const { return answered; }
    // What the dialog's name field held when it came up; valid after Wait.
    const std::string& OfferedName() const { return offeredName; }

private:
    static BOOL CALLBACK TakeDialog(HWND window, LPARAM parameter)
    {
        char className[16];
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }

    // The visible dialog on top of the test thread's windows, if any.
    HWND TopDialog() const
    {
        HWND dialog = nullptr;
        EnumThreadWindows(threadId, TakeDialog, reinterpret_cast<LPARAM>(&dialog));
        return dialog;
    }

    static DWORD WINAPI Run(void* self) { return static_cast<TDialogAnswerer*>(self)->Answer(); }

    DWORD Answer()
    {
        const DWORD giveUpAt = GetTickCount() + 120000;
        for (;;) {
            HWND dialog = nullptr;
            const DWORD left = giveUpAt - GetTickCount();
            if (static_cast<LONG>(left) <= 0 || !WaitUntil([&] { return (dialog = TopDialog()) != nullptr; },
                                                             answered ? 0 : left, "a dialog"))
                return 0; // gone after an answer, or never came
            // A message sent to the dialog comes back once it has finished its set-up and waits in its loop.
            SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
            if (!GetDlgItem(dialog, cmb13) && !GetDlgItem(dialog, edt1)) {
                ++otherBoxes; // a box of the dialog's own, such as a complaint about the name
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            } else {
                if (!answered) TakeOfferedName(dialog);
                const bool accept = fileName && !(answered && otherBoxes > 2);
                if (accept) {
                    SetDlgItemTextA(dialog, cmb13, fileName);
                    SetDlgItemTextA(dialog, edt1, fileName);
                }
                PostMessageA(dialog, WM_COMMAND, accept ? IDOK : IDCANCEL, 0);
                answered = true;
            }
            // Answered: the dialog goes, or a box of its own comes up over it.
            WaitUntil([&] { return TopDialog() != dialog; }, 5000, "the dialog's answer");
        }
    }

    void TakeOfferedName(HWND dialog)
    {
        char offered[1024] = "";
        if (!GetDlgItemTextA(dialog, cmb13, offered, sizeof offered)) GetDlgItemTextA(dialog, edt1, offered, sizeof offered);
        offeredName = offered;
    }

    const DWORD threadId;
    const char* const fileName; // borrowed from the test
    HANDLE thread = nullptr;    // owned
    std::atomic<bool> answered{false};
    int otherBoxes = 0;         // the answering thread's own
    std::string offeredName;    // written by the answering thread before the dialog closes
};
