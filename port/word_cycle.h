// The adapter protocol: a start pulse once, then one cycle per 16-bit word.
#pragma once

#include <cstdint>

// Control register patterns. Bit 5 keeps the data lines in the input
// direction; each pulse pattern clears exactly one of the inverted bits 0, 1
// and 3 of ControlIdle, which raises that one line at the connector.
inline constexpr std::uint8_t ControlIdle = 0x2B;     // Strobe, Auto Linefeed, Select In low
inline constexpr std::uint8_t ControlStart = 0x29;    // Auto Linefeed high: address to 0
inline constexpr std::uint8_t ControlLowByte = 0x23;  // Select In high: low byte on the lines
inline constexpr std::uint8_t ControlStep = 0x2A;     // Strobe high: next word

// Sends the start pulse; the next ReadWord returns word 0.
void SendStartPulse();

// Reads the word on the data lines (high byte first), then steps the adapter
// to the next word.
std::uint16_t ReadWord();
