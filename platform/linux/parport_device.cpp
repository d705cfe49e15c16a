// The port-I/O functions over the Linux parallel-port device (/dev/parportN,
// the ppdev driver). The port is claimed exclusively for the whole run, and
// its data and control registers are reached through the driver's requests.
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "platform/linux/kernel.h"
#include "platform/winio.h"

namespace {

constexpr std::uint16_t DataRegister = 0x378;
constexpr std::uint16_t ControlRegister = 0x37A;
constexpr std::uint8_t InputDirectionBit = 0x20;
// The driver takes only the four line bits through its control write.
constexpr std::uint8_t ControlLineBits = 0x0F;

const std::string ParportSettings = "/proc/sys/dev/parport/";

struct Port {
    std::string device;    // /dev/parportN
    std::string settings;  // /proc/sys/dev/parport/parportN
};

Port PortNamed(const std::string& name)
{
    return {"/dev/" + name, ParportSettings + name};
}

bool IsPortName(const std::string& name)
{
    return name.size() > 7 && name.starts_with("parport") &&
           std::all_of(name.begin() + 7, name.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The port whose base address is 0x378 (the kernel gives it in decimal), or
// parport0 where none is, which also finds a card at another address.
Port ChoosePort()
{
    std::vector<std::string> names = TheKernel->ListFolder(ParportSettings);
    std::erase_if(names, [](const std::string& name) { return !IsPortName(name); });
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::stoi(a.substr(7)) < std::stoi(b.substr(7));
    });
    for (const auto& name : names) {
        const auto base = TheKernel->ReadText(ParportSettings + name + "/base-addr");
        if (base && std::strtol(base->c_str(), nullptr, 10) == DataRegister) {
            return PortNamed(name);
        }
    }
    return PortNamed("parport0");
}

int device = -1;
std::optional<bool> inputDirection;

const std::string Busy = "busy (another driver such as lp, or another program, holds the port)";

std::string Reason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return "permission denied (add the user to the lp group, then log in again)";
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return "no such device (no parallel port, or the ppdev module is not loaded: modprobe ppdev)";
    case EBUSY:
        return Busy;
    default:
        return std::strerror(error);
    }
}

// The driver answers a claim it cannot register with ENXIO, for a port that
// is not there and for one that another driver holds alike.
std::string ClaimReason(int error, const Port& port)
{
    const bool portExists = TheKernel->ReadText(port.settings + "/base-addr").has_value();
    return error == ENXIO && portExists ? Busy : Reason(error);
}

bool Refuse(const Port& port, const std::string& what)
{
    std::cerr << "lptdump: " << port.device << ": " << what << std::endl;
    if (device >= 0) {
        TheKernel->Close(device);
        device = -1;
    }
    return false;
}

bool Request(unsigned long request, void* argument)
{
    return TheKernel->Ioctl(device, request, argument) >= 0;
}

}  // namespace

bool InitializeWinIo()
{
    const Port port = ChoosePort();
    const int opened = TheKernel->OpenReadWrite(port.device);
    if (opened < 0) {
        return Refuse(port, "cannot open: " + Reason(-opened));
    }
    device = opened;
    inputDirection.reset();

    // Exclusive: no other driver may take the port between two of our requests.
    if (const int result = TheKernel->Ioctl(device, PPEXCL, nullptr); result < 0) {
        return Refuse(port, "cannot get exclusive access: " + Reason(-result));
    }
    if (const int result = TheKernel->Ioctl(device, PPCLAIM, nullptr); result < 0) {
        return Refuse(port, "cannot claim: " + ClaimReason(-result, port));
    }
    unsigned int modes = 0;
    if (const int result = TheKernel->Ioctl(device, PPGETMODES, &modes); result < 0) {
        TheKernel->Ioctl(device, PPRELEASE, nullptr);
        return Refuse(port, "cannot read its modes: " + Reason(-result));
    }
    if ((modes & PARPORT_MODE_TRISTATE) == 0) {
        TheKernel->Ioctl(device, PPRELEASE, nullptr);
        return Refuse(port, "cannot read its data lines: not bidirectional "
                            "(set the port to PS/2, EPP or ECP mode in the firmware setup)");
    }
    return true;
}

void ShutdownWinIo()
{
    if (device < 0) {
        return;
    }
    TheKernel->Ioctl(device, PPRELEASE, nullptr);
    TheKernel->Close(device);
    device = -1;
}

bool GetPortVal(std::uint16_t portAddress, std::uint32_t* portValue, std::uint8_t size)
{
    if (device < 0 || portAddress != DataRegister || size != 1) {
        return false;
    }
    unsigned char data = 0;
    if (!Request(PPRDATA, &data)) {
        return false;
    }
    *portValue = data;
    return true;
}

bool SetPortVal(std::uint16_t portAddress, std::uint32_t portValue, std::uint8_t size)
{
    if (device < 0 || portAddress != ControlRegister || size != 1) {
        return false;
    }
    // The driver sets the data direction (bit 5) with a request of its own;
    // bit 4, the interrupt enable, is the driver's business.
    const bool input = (portValue & InputDirectionBit) != 0;
    if (inputDirection != input) {
        int reverse = input ? 1 : 0;
        if (!Request(PPDATADIR, &reverse)) {
            return false;
        }
        inputDirection = input;
    }
    unsigned char lines = portValue & ControlLineBits;
    return Request(PPWCONTROL, &lines);
}
