// A fake kernel with parallel-port devices that answer as the ppdev driver
// does, the emulated adapter on the port.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/linux/kernel.h"

struct FakePort {
    int number;
    long baseAddress;
    unsigned int modes;
};

class FakeParportKernel : public Kernel {
public:
    std::vector<FakePort> ports;
    std::map<std::string, int> openErrors;     // device path -> errno
    std::map<unsigned long, int> requestErrors;  // request -> errno, once claimed
    int claimError = 0;                         // errno for PPCLAIM

    // Every call, in order: "open /dev/parport0", "PPCLAIM", "PPWCONTROL 0B", ...
    std::vector<std::string> calls;
    // Register requests refused because the port was not claimed yet.
    int refusedBeforeClaim = 0;
    // Control writes with bits the driver does not take (it masks them away).
    int disallowedControlBits = 0;

    int OpenReadWrite(const std::string& path) override;
    int Close(int fd) override;
    int Ioctl(int fd, unsigned long request, void* argument) override;
    std::optional<std::string> ReadText(const std::string& path) override;
    std::vector<std::string> ListFolder(const std::string& path) override;

private:
    void WriteAdapterControl();

    static constexpr int DeviceFd = 3;
    bool open_ = false;
    const FakePort* port_ = nullptr;
    bool exclusive_ = false;
    bool registered_ = false;
    bool claimed_ = false;
    bool reverse_ = false;
    unsigned char lines_ = 0x0C;  // Init and Select In, as the driver leaves them
};
