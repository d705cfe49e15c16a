#pragma once

#include <cstddef>

// 64 KiB of 16-bit words, read in one pass of the capture loop.
inline constexpr std::size_t WordsPerBank = 0x8000;

// The capture never reads more than 4 MiB, whatever the memory's size.
inline constexpr std::size_t MaxBanks = 0x40;
