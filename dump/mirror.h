// End-of-memory test: a memory smaller than the adapter's address range
// repeats, so the first bank that equals bank 0 marks where it wraps.
#pragma once

#include <cstdint>
#include <span>

// True when `bank` equals the first WordsPerBank words of `image`, word for
// word. `bank` is one whole bank; `image` holds at least one bank.
bool IsMirrorBank(std::span<const std::uint16_t> bank, std::span<const std::uint16_t> image);
