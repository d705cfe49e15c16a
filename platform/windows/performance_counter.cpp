// The performance counter on Windows: kernel32's own. Its functions take the
// same names with a LARGE_INTEGER; these overloads hand the count over as a
// plain 64-bit integer.
#include <windows.h>

#include "platform/performance_counter.h"

int QueryPerformanceFrequency(std::int64_t* ticksPerSecond)
{
    LARGE_INTEGER frequency;
    const BOOL ok = QueryPerformanceFrequency(&frequency);
    *ticksPerSecond = frequency.QuadPart;
    return ok;
}

int QueryPerformanceCounter(std::int64_t* ticks)
{
    LARGE_INTEGER count;
    const BOOL ok = QueryPerformanceCounter(&count);
    *ticks = count.QuadPart;
    return ok;
}
