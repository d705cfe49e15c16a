// Busy wait on the performance counter, used for the settle time after every
// control write.
#pragma once

#include <cstdint>

// Counter ticks per microsecond, plus one. 0 until the first wait sets it; it
// is never recomputed afterwards.
extern std::int64_t TicksPerMicrosecond;

// Spins (never sleeps) until at least count * TicksPerMicrosecond ticks have
// passed since the call began.
void WaitMicroseconds(std::uint32_t count);
