// The port-I/O library the program imports. The program calls these four
// functions only; which implementation answers them is chosen at link time
// (emulated adapter, Linux parallel-port device, or the real library on
// Windows).
#pragma once

#include <cstdint>

// True once byte-wide reads of the data register and byte-wide writes of the
// control register will work.
bool InitializeWinIo();

// Releases port access; no port is touched afterwards.
void ShutdownWinIo();

// Reads `size` bytes from I/O address `portAddress` into the low bits of
// `*portValue`.
bool GetPortVal(std::uint16_t portAddress, std::uint32_t* portValue, std::uint8_t size);

// Writes the low `size` bytes of `portValue` to I/O address `portAddress`;
// the register holds the value when the call returns.
bool SetPortVal(std::uint16_t portAddress, std::uint32_t portValue, std::uint8_t size);
