#include "port/port_access.h"

#include "platform/winio.h"
#include "port/settle_wait.h"

std::uint8_t ReadData()
{
    std::uint32_t value = 0;
    GetPortVal(DataPort, &value, 1);
    return static_cast<std::uint8_t>(value & 0xFF);
}

void WriteControl(std::uint8_t value)
{
    SetPortVal(ControlPort, value, 1);
    WaitMicroseconds(1);
}
