// The high-resolution performance counter, under the names of the Windows
// API. A backend of this project defines them for each build: on Windows it
// forwards to kernel32's own counter.
#pragma once

#include <cstdint>

// Ticks per second, constant while the system runs.
int QueryPerformanceFrequency(std::int64_t* ticksPerSecond);

// Current tick count; it never goes backwards.
int QueryPerformanceCounter(std::int64_t* ticks);
