#include "platform/winio.h"

#include "platform/emulated/emulated_port.h"

EmulatedAdapter TheEmulatedAdapter;

bool InitializeWinIo()
{
    return TheEmulatedAdapter.Open();
}

void ShutdownWinIo()
{
    TheEmulatedAdapter.Close();
}

bool GetPortVal(std::uint16_t portAddress, std::uint32_t* portValue, std::uint8_t size)
{
    return TheEmulatedAdapter.Read(portAddress, portValue, size);
}

bool SetPortVal(std::uint16_t portAddress, std::uint32_t portValue, std::uint8_t size)
{
    return TheEmulatedAdapter.Write(portAddress, portValue, size);
}
