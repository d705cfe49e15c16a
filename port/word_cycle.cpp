#include "port/word_cycle.h"

#include "port/port_access.h"

void SendStartPulse()
{
    WriteControl(ControlIdle);
    WriteControl(ControlStart);
    WriteControl(ControlIdle);
}

std::uint16_t ReadWord()
{
    const std::uint8_t high = ReadData();
    WriteControl(ControlLowByte);
    const std::uint8_t low = ReadData();
    WriteControl(ControlIdle);
    const auto word = static_cast<std::uint16_t>(high << 8 | low);
    WriteControl(ControlStep);
    WriteControl(ControlIdle);
    return word;
}
