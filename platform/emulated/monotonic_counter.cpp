// The performance counter of lptdump-emu: the monotonic clock, so an emulated
// capture waits as long as a real one. Each value is shown to the adapter as
// it is handed out, so the adapter judges settle times without reading the
// clock again.
#include "platform/emulated/adapter.h"
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
    TheEmulatedAdapter.SeeCounter(*ticks, MonotonicTicksPerSecond);
    return 1;
}
