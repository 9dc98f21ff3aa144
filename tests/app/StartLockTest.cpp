// The start lock between copies: a mutex is owned per thread, so the holder runs on a thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/StartLock.h"

namespace {

std::atomic<bool> windowShown{false};
std::atomic<int> handOvers{0};

bool NoRunningCopy() { return false; }

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
    ~THolder()
    {
        release = true;
        thread.join();
    }
    std::atomic<bool> held{false};
    std::atomic<bool> release{false};

private:
    std::atomic<bool> taken{false};
    std::thread thread;
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
        std::thread show([] {
            Sleep(200);
            windowShown = true;
        });
        TStartLock second;
        EXPECT_FALSE(second.Acquire(&HandOverOnceShown, 10000));
        EXPECT_EQ(handOvers, 1);
        show.join();
    }
    {
        // The holder leaves without a window: the second copy takes the lock and runs.
        THolder holder;
        std::thread leave([&holder] {
            Sleep(200);
            holder.release = true;
        });
        TStartLock second;
        EXPECT_TRUE(second.Acquire(&NoRunningCopy, 10000));
        leave.join();
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
