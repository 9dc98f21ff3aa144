// Waiting for a state with a time limit, instead of sleeping a fixed time.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

// Handles every message queued for this thread; the default pump of a wait.
void PumpThreadMessages();

// Looks at `condition` until it holds or `timeoutMs` has passed, handling this thread's
// messages with `pump` in between (tests of shapes pass the library's own pump). Fails with
// "<what> did not happen within N ms", so a test can ASSERT_TRUE or EXPECT_TRUE on it.
::testing::AssertionResult WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, const char* what,
                                     void (*pump)() = &PumpThreadMessages);
