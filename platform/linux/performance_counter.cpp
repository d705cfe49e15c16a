// The performance counter on Linux: the monotonic clock in nanoseconds.
#include "platform/monotonic_clock.h"
#include "platform/performance_counter.h"

int QueryPerformanceFrequency(std::int64_t* ticksPerSecond)
{
    *ticksPerSecond = MonotonicTicksPerSecond;
    return 1;
}

int QueryPerformanceCounter(std::int64_t* ticks)
{
    *ticks = MonotonicNanoseconds();
    return 1;
}
