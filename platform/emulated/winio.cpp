#include "platform/winio.h"

#include "platform/emulated/adapter.h"

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
