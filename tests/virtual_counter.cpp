#include "tests/virtual_counter.h"

#include "platform/emulated/adapter.h"
#include "platform/performance_counter.h"

VirtualCounter TheVirtualCounter;

int QueryPerformanceFrequency(std::int64_t* ticksPerSecond)
{
    ++TheVirtualCounter.frequencyQueries;
    *ticksPerSecond = TheVirtualCounter.ticksPerSecond;
    return 1;
}

int QueryPerformanceCounter(std::int64_t* ticks)
{
    TheVirtualCounter.now += TheVirtualCounter.ticksPerRead;
    *ticks = TheVirtualCounter.now;
    TheEmulatedAdapter.SeeCounter(*ticks, TheVirtualCounter.ticksPerSecond);
    if (TheVirtualCounter.onRead) {
        TheVirtualCounter.onRead(*ticks);
    }
    return 1;
}
