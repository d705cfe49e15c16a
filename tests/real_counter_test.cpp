// The settle wait on the platform's own performance counter, as lptdump uses
// it: nanoseconds on Linux, kernel32's counter on Windows (10 MHz there, and
// under Wine).
#include <gtest/gtest.h>

#include <chrono>

#include "port/settle_wait.h"

namespace {

TEST(RealCounter, TicksPerMicrosecondAndAWaitOfAtLeastThatLong)
{
#ifdef _WIN32
    constexpr std::int64_t expected = 11;
#else
    constexpr std::int64_t expected = 1001;
#endif
    const auto start = std::chrono::steady_clock::now();
    WaitMicroseconds(1);
    const auto waited = std::chrono::steady_clock::now() - start;

    EXPECT_EQ(TicksPerMicrosecond, expected);
    EXPECT_GE(waited, std::chrono::microseconds(1));
}

}  // namespace
