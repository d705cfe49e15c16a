// The system calls the parallel-port backend makes, behind a seam so that a
// test can put a fake device in the kernel's place.
#pragma once

#include <optional>
#include <string>
#include <vector>

class Kernel {
public:
    virtual ~Kernel() = default;

    // Each returns a result of 0 or more, or -errno.
    virtual int OpenReadWrite(const std::string& path) = 0;
    virtual int Close(int fd) = 0;
    virtual int Ioctl(int fd, unsigned long request, void* argument) = 0;

    // A small text file such as those under /proc; nothing when unreadable.
    virtual std::optional<std::string> ReadText(const std::string& path) = 0;
    // The names in a folder; none when it cannot be read.
    virtual std::vector<std::string> ListFolder(const std::string& path) = 0;
};

// The running system's kernel, unless a test has put another in its place.
extern Kernel* TheKernel;
