// The parallel port's control register as the emulated adapter and its trace
// see it.
#pragma once

#include <cstdint>

namespace control_bits {

inline constexpr std::uint8_t Strobe = 0x01;        // falling: next word
inline constexpr std::uint8_t AutoLinefeed = 0x02;  // falling: back to word 0
inline constexpr std::uint8_t Initialize = 0x04;
inline constexpr std::uint8_t SelectIn = 0x08;        // clear: low byte on the lines
inline constexpr std::uint8_t InputDirection = 0x20;  // set: the data lines are inputs

inline bool Fell(std::uint8_t before, std::uint8_t after, std::uint8_t bit)
{
    return (before & bit) != 0 && (after & bit) == 0;
}

inline bool Rose(std::uint8_t before, std::uint8_t after, std::uint8_t bit)
{
    return Fell(after, before, bit);
}

}  // namespace control_bits
