// GoogleTest's own customisation point, found before its stock one: the signal that starts its
// threads, on a Win32 event, for the compilers' win32 thread model has no std::mutex.
#ifndef KELVANE_TESTS_GTEST_CUSTOM_PORT_H
#define KELVANE_TESTS_GTEST_CUSTOM_PORT_H

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event); }
    void WaitForNotification() { WaitForSingleObject(event, INFINITE); }

private:
    HANDLE event;
};

} // namespace internal
} // namespace testing

#endif
