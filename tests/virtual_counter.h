// A performance counter for tests: any frequency, and it moves forward by a
// fixed step on every read, so waits take no real time and every read can be
// watched.
#pragma once

#include <cstdint>
#include <functional>

struct VirtualCounter {
    std::int64_t ticksPerSecond = 1'000'000;
    std::int64_t ticksPerRead = 1;
    std::int64_t now = 0;
    int frequencyQueries = 0;
    std::function<void(std::int64_t)> onRead;
};

extern VirtualCounter TheVirtualCounter;
