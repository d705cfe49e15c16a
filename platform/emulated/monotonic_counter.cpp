// The performance counter of lptdump-emu: the system's monotonic clock in
// nanoseconds, so an emulated capture waits as long as a real one. Each value
// is shown to the adapter as it is handed out, so the adapter judges settle
// times without reading the clock again.
#include <chrono>

#include "platform/emulated/emulated_port.h"
#include "platform/performance_counter.h"

constexpr std::int64_t NanosecondsPerSecond = 1'000'000'000;

int QueryPerformanceFrequency(std::int64_t* ticksPerSecond)
{
    *ticksPerSecond = NanosecondsPerSecond;
    return 1;
}

int QueryPerformanceCounter(std::int64_t* ticks)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    *ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    TheEmulatedAdapter.SeeCounter(*ticks, NanosecondsPerSecond);
    return 1;
}
