#pragma once

#include <chrono>
#include <cstdint>

// The system's monotonic clock in nanoseconds, the performance counter of the
// builds that have no counter of their own.
inline constexpr std::int64_t MonotonicTicksPerSecond = 1'000'000'000;

inline std::int64_t MonotonicNanoseconds()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}
