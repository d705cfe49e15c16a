// The high-resolution performance counter, under the names and calling
// convention of the Windows API. On Windows these are kernel32's own; elsewhere
// a backend of this project defines them.
#pragma once

#include <cstdint>

#ifdef _WIN32
#define LPTDUMP_WINAPI extern "C" __declspec(dllimport) int __stdcall
#else
#define LPTDUMP_WINAPI int
#endif

// Ticks per second, constant while the system runs.
LPTDUMP_WINAPI QueryPerformanceFrequency(std::int64_t* ticksPerSecond);

// Current tick count; it never goes backwards.
LPTDUMP_WINAPI QueryPerformanceCounter(std::int64_t* ticks);

#undef LPTDUMP_WINAPI
