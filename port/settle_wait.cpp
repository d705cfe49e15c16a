#include "port/settle_wait.h"

#include "platform/performance_counter.h"

std::int64_t TicksPerMicrosecond = 0;

void WaitMicroseconds(std::uint32_t count)
{
    if (TicksPerMicrosecond == 0) {
        std::int64_t ticksPerSecond = 0;
        QueryPerformanceFrequency(&ticksPerSecond);
        // The extra tick makes the wait at least a full microsecond, whatever
        // phase of a tick it starts in.
        TicksPerMicrosecond = ticksPerSecond / 1000000 + 1;
    }

    std::int64_t start = 0;
    QueryPerformanceCounter(&start);
    const std::int64_t target = start + static_cast<std::int64_t>(count) * TicksPerMicrosecond;

    std::int64_t now = 0;
    do {
        QueryPerformanceCounter(&now);
    } while (now < target);
}
