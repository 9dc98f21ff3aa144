// The thread object: start, wait, terminate and deleting itself when done.
#include <gtest/gtest.h>

#include "framework/CaptionFlash.h"
#include "framework/ThreadObject.h"

namespace {

class TCountingThread : public TThread {
public:
    explicit TCountingThread(volatile LONG* deleted = nullptr, DWORD sleep = 0) : deleted(deleted), sleep(sleep) {}
    ~TCountingThread() override
    {
        if (deleted) InterlockedIncrement(deleted);
    }
    void Execute() override
    {
        sawRunning = Running();
        Sleep(sleep);
        ++runs;
    }
    volatile LONG* deleted;
    DWORD sleep;
    volatile int runs = 0;
    volatile bool sawRunning = false;
};

bool WaitFor(volatile LONG& value, LONG wanted)
{
    for (int i = 0; i < 300 && value != wanted; ++i) Sleep(10);
    return value == wanted;
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

    TCountingThread sleeper(nullptr, 10000);
    ASSERT_TRUE(sleeper.Start(4096));
    EXPECT_FALSE(sleeper.Wait(20));
    EXPECT_NE(nullptr, sleeper.ThreadHandle());
    EXPECT_TRUE(sleeper.Terminate(1));
    EXPECT_FALSE(sleeper.Running());
    EXPECT_EQ(nullptr, sleeper.ThreadHandle());
    EXPECT_FALSE(sleeper.Terminate(1)); // nothing left to stop
}

TEST(ThreadObjectTest, DeleteWhenDoneDeletesTheObjectOnItsThread)
{
    volatile LONG deleted = 0;
    TCountingThread* thread = new TCountingThread(&deleted);
    thread->SetDeleteWhenDone(true);
    ASSERT_TRUE(thread->Start(4096));
    EXPECT_TRUE(WaitFor(deleted, 1));
}

TEST(ThreadObjectTest, CaptionFlashReturnsAtOnceAndSurvivesItsWindow)
{
    HWND window = CreateWindowExA(0, "STATIC", "Flash", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 100, 60, nullptr,
                                  nullptr, nullptr, nullptr);
    DWORD start = GetTickCount();
    EXPECT_TRUE(FlashCaption(window, 2, 100));
    EXPECT_LT(GetTickCount() - start, 150u);
    DestroyWindow(window);
    Sleep(500); // the thread flashes a stale handle, harmlessly, and ends
}
