// The start lock between copies: a mutex is owned per thread, so the holder runs on a thread.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <utility>

#include "app/StartLock.h"
#include "framework/ThreadObject.h"

namespace {

std::atomic<bool> windowShown{false};
std::atomic<int> handOvers{0};

bool NoRunningCopy() { return false; }

// A function on a thread of its own, waited for when this ends.
class TFunctionThread : public TThread {
public:
    explicit TFunctionThread(std::function<void()> work) : work(std::move(work)) { Start(0); }
    ~TFunctionThread() override { Wait(INFINITE); }
    void Execute() override { work(); }

private:
    std::function<void()> work;
};

bool HandOverOnceShown()
{
    if (!windowShown) return false;
    ++handOvers;
    return true;
}

// Holds the lock on its own thread until `release` is set.
class THolder {
public:
    THolder()
        : thread([this] {
              TStartLock lock;
              held = lock.Acquire(&NoRunningCopy, 0);
              taken = true;
              while (!release) Sleep(5);
          })
    {
        while (!taken) Sleep(5);
    }
    ~THolder() { release = true; } // the thread, the last member, is waited for first
    std::atomic<bool> held{false};
    std::atomic<bool> release{false};

private:
    std::atomic<bool> taken{false};
    TFunctionThread thread;
};

} // namespace

TEST(StartLockTest, SecondCopyWaitsForTheHoldersWindowOrForTheHolderToLeave)
{
    {
        THolder holder;
        ASSERT_TRUE(holder.held);
        // The holder's window appears while the second copy waits: it hands over and stays out.
        windowShown = false;
        handOvers = 0;
        TFunctionThread show([] {
            Sleep(200);
            windowShown = true;
        });
        TStartLock second;
        EXPECT_FALSE(second.Acquire(&HandOverOnceShown, 10000));
        EXPECT_EQ(handOvers, 1);
    }
    {
        // The holder leaves without a window: the second copy takes the lock and runs.
        THolder holder;
        TFunctionThread leave([&holder] {
            Sleep(200);
            holder.release = true;
        });
        TStartLock second;
        EXPECT_TRUE(second.Acquire(&NoRunningCopy, 10000));
    }
}

TEST(StartLockTest, WaitEndsOnTheClockWhileTheHolderHangs)
{
    THolder holder;
    TStartLock second;
    const DWORD start = GetTickCount();
    EXPECT_FALSE(second.Acquire(&NoRunningCopy, 400));
    const DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 400u);
    EXPECT_LT(waited, 3000u);
}
