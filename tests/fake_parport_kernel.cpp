#include "tests/fake_parport_kernel.h"

#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstdio>

#include "platform/emulated/adapter.h"

namespace {

std::string Hex(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

}  // namespace

int FakeParportKernel::OpenReadWrite(const std::string& path)
{
    calls.push_back("open " + path);
    if (const auto error = openErrors.find(path); error != openErrors.end()) {
        return -error->second;
    }
    if (!path.starts_with("/dev/parport")) {
        return -ENOENT;
    }
    open_ = true;
    port_ = nullptr;
    for (const auto& port : ports) {
        if (path == "/dev/parport" + std::to_string(port.number)) {
            port_ = &port;
        }
    }
    return DeviceFd;
}

int FakeParportKernel::Close(int fd)
{
    calls.push_back("close");
    if (fd != DeviceFd || !open_) {
        return -EBADF;
    }
    if (claimed_) {
        TheEmulatedAdapter.Close();
    }
    open_ = exclusive_ = registered_ = claimed_ = false;
    return 0;
}

void FakeParportKernel::WriteAdapterControl()
{
    TheEmulatedAdapter.Write(0x37A, lines_ | (reverse_ ? 0x20 : 0x00), 1);
}

int FakeParportKernel::Ioctl(int fd, unsigned long request, void* argument)
{
    if (fd != DeviceFd || !open_) {
        return -EBADF;
    }
    switch (request) {
    case PPEXCL:
        calls.push_back("PPEXCL");
        if (registered_) {
            return -EINVAL;
        }
        exclusive_ = true;
        return 0;
    case PPCLAIM:
        calls.push_back("PPCLAIM");
        if (claimed_) {
            return -EINVAL;
        }
        if (claimError != 0) {
            return -claimError;
        }
        if (port_ == nullptr) {
            return -ENXIO;  // a device node with no port behind it
        }
        if (!TheEmulatedAdapter.Open()) {
            return -ENXIO;
        }
        registered_ = claimed_ = true;
        WriteAdapterControl();
        return 0;
    case PPGETMODES:
        calls.push_back("PPGETMODES");
        if (port_ == nullptr) {
            return -ENODEV;
        }
        *static_cast<unsigned int*>(argument) = port_->modes;
        return 0;
    default:
        break;
    }

    if (!claimed_) {
        ++refusedBeforeClaim;
        calls.push_back("refused before claim");
        return -EINVAL;
    }
    if (const auto error = requestErrors.find(request); error != requestErrors.end()) {
        calls.push_back("failed request");
        return -error->second;
    }
    switch (request) {
    case PPRDATA: {
        std::uint32_t value = 0;
        TheEmulatedAdapter.Read(0x378, &value, 1);
        *static_cast<unsigned char*>(argument) = static_cast<unsigned char>(value);
        calls.push_back("PPRDATA");
        return 0;
    }
    case PPWCONTROL: {
        const unsigned char value = *static_cast<unsigned char*>(argument);
        calls.push_back("PPWCONTROL " + Hex(value));
        disallowedControlBits += (value & 0xF0) != 0;
        lines_ = value & 0x0F;
        WriteAdapterControl();
        return 0;
    }
    case PPDATADIR:
        reverse_ = *static_cast<int*>(argument) != 0;
        calls.push_back(std::string("PPDATADIR ") + (reverse_ ? "1" : "0"));
        WriteAdapterControl();
        return 0;
    case PPRELEASE:
        calls.push_back("PPRELEASE");
        claimed_ = false;
        TheEmulatedAdapter.Close();
        return 0;
    default:
        return -EINVAL;
    }
}

std::optional<std::string> FakeParportKernel::ReadText(const std::string& path)
{
    for (const auto& port : ports) {
        if (path == "/proc/sys/dev/parport/parport" + std::to_string(port.number) + "/base-addr") {
            return std::to_string(port.baseAddress) + "\t" + std::to_string(port.baseAddress + 0x400) + "\n";
        }
    }
    return std::nullopt;
}

std::vector<std::string> FakeParportKernel::ListFolder(const std::string& path)
{
    if (path != "/proc/sys/dev/parport/" || ports.empty()) {
        return {};
    }
    std::vector<std::string> names = {"default"};
    for (const auto& port : ports) {
        names.push_back("parport" + std::to_string(port.number));
    }
    return names;
}
