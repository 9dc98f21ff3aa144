// WaitUntil: polls a condition while the thread's messages go on being handled.
#include "support/Wait.h"

namespace {

// A state that comes at once is seen at once; a long wait looks less often, so as not to
// load the program it asks.
const DWORD firstLookMs = 10, slowestLookMs = 100;

} // namespace

void PumpThreadMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

::testing::AssertionResult WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, const char* what,
                                     void (*pump)())
{
    const DWORD start = GetTickCount();
    for (DWORD look = firstLookMs;; look = look * 2 < slowestLookMs ? look * 2 : slowestLookMs) {
        pump();
        if (condition()) return ::testing::AssertionSuccess();
        if (GetTickCount() - start >= timeoutMs) break;
        // Wakes at once for a message, and for messages sent from other threads and processes.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, look, QS_ALLINPUT);
    }
    return ::testing::AssertionFailure() << what << " did not happen within " << timeoutMs << " ms";
}
