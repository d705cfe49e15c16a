// The emulated adapter as a DLL that exports the four port-I/O functions, to
// stand in for WinIo64.dll beside lptdump.exe. The program's counter reads
// happen in kernel32, out of the adapter's sight, so the DLL reads the
// counter itself at every port access.
#include <windows.h>

#include "platform/emulated/adapter.h"

namespace {

void ShowAdapterTheCounter()
{
    LARGE_INTEGER ticks;
    LARGE_INTEGER ticksPerSecond;
    QueryPerformanceCounter(&ticks);
    QueryPerformanceFrequency(&ticksPerSecond);
    TheEmulatedAdapter.SeeCounter(ticks.QuadPart, ticksPerSecond.QuadPart);
}

}  // namespace

extern "C" {

__declspec(dllexport) bool __stdcall InitializeWinIo()
{
    return TheEmulatedAdapter.Open();
}

__declspec(dllexport) void __stdcall ShutdownWinIo()
{
    TheEmulatedAdapter.Close();
}

__declspec(dllexport) bool __stdcall GetPortVal(WORD portAddress, PDWORD portValue, BYTE size)
{
    ShowAdapterTheCounter();
    std::uint32_t value = 0;
    const bool accepted = TheEmulatedAdapter.Read(portAddress, &value, size);
    if (accepted) {
        *portValue = value;
    }
    return accepted;
}

__declspec(dllexport) bool __stdcall SetPortVal(WORD portAddress, DWORD portValue, BYTE size)
{
    // Before the write, so that lines which settled meanwhile change at their
    // own time; after it, as the lines settle from the moment of the write.
    ShowAdapterTheCounter();
    const bool accepted = TheEmulatedAdapter.Write(portAddress, portValue, size);
    ShowAdapterTheCounter();
    return accepted;
}

}  // extern "C"
