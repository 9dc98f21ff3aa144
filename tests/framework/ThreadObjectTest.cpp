// The thread object: start, wait, terminate and deleting itself when done.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include "framework/CaptionFlash.h"
#include "framework/ThreadObject.h"
#include "support/Wait.h"

namespace {

// Counts its runs; a blocking one waits for an event that never comes, until it is terminated.
class TCountingThread : public TThread {
public:
    explicit TCountingThread(volatile LONG* deleted = nullptr, bool blocking = false)
        : deleted(deleted), never(blocking ? CreateEventA(nullptr, TRUE, FALSE, nullptr) : nullptr) {}
    ~TCountingThread() override
    {
        if (never) CloseHandle(never);
        if (deleted) InterlockedIncrement(deleted);
    }
    void Execute() override
    {
        sawRunning = Running();
        if (never) WaitForSingleObject(never, INFINITE);
        ++runs;
    }
    volatile LONG* deleted;
    HANDLE never; // owned
    volatile int runs = 0;
    volatile bool sawRunning = false;
};

// The threads of this process: a thread that has ended is no longer among them.
int ThreadCount()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

} // namespace

TEST(ThreadObjectTest, StartWaitAndTerminate)
{
    TCountingThread thread;
    ASSERT_TRUE(thread.Start(4096));
    EXPECT_NE(0u, thread.ThreadId());
    EXPECT_TRUE(thread.Wait(3000));
    EXPECT_EQ(1, thread.runs);
    EXPECT_TRUE(thread.sawRunning);
    EXPECT_FALSE(thread.Running());
    EXPECT_EQ(nullptr, thread.ThreadHandle());
    EXPECT_EQ(0u, thread.ThreadId());

    TCountingThread blocked(nullptr, true);
    ASSERT_TRUE(blocked.Start(4096));
    EXPECT_FALSE(blocked.Wait(20));
    EXPECT_NE(nullptr, blocked.ThreadHandle());
    EXPECT_TRUE(blocked.Terminate(1));
    EXPECT_FALSE(blocked.Running());
    EXPECT_EQ(nullptr, blocked.ThreadHandle());
    EXPECT_FALSE(blocked.Terminate(1)); // nothing left to stop
}

TEST(ThreadObjectTest, DeleteWhenDoneDeletesTheObjectOnItsThread)
{
    volatile LONG deleted = 0;
    TCountingThread* thread = new TCountingThread(&deleted);
    thread->SetDeleteWhenDone(true);
    ASSERT_TRUE(thread->Start(4096));
    EXPECT_TRUE(WaitUntil([&] { return deleted == 1; }, 3000, "the thread object deleting itself"));
}

TEST(ThreadObjectTest, CaptionFlashReturnsAtOnceAndSurvivesItsWindow)
{
    const int threads = ThreadCount();
    ASSERT_GT(threads, 0);
    HWND window = CreateWindowExA(0, "STATIC", "Flash", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 100, 60, nullptr,
                                  nullptr, nullptr, nullptr);
    DWORD start = GetTickCount();
    EXPECT_TRUE(FlashCaption(window, 2, 100));
    EXPECT_LT(GetTickCount() - start, 150u);
    DestroyWindow(window);
    // The flash goes on with a stale handle, harmlessly, and its thread ends.
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() <= threads; }, 5000, "the flash thread's end"));
}
