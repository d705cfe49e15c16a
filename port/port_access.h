// Byte-wide access to the parallel port at I/O base 0x378.
#pragma once

#include <cstdint>

inline constexpr std::uint16_t DataPort = 0x378;
inline constexpr std::uint16_t ControlPort = 0x37A;

// The eight data lines, as the port reads them now.
std::uint8_t ReadData();

// Sets the control register, then waits a microsecond for the adapter and the
// data lines to settle.
void WriteControl(std::uint8_t value);
