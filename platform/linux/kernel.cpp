#include "platform/linux/kernel.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

int ResultOrError(int result)
{
    return result < 0 ? -errno : result;
}

class SystemKernel : public Kernel {
public:
    int OpenReadWrite(const std::string& path) override { return ResultOrError(open(path.c_str(), O_RDWR | O_CLOEXEC)); }

    int Close(int fd) override { return ResultOrError(close(fd)); }

    int Ioctl(int fd, unsigned long request, void* argument) override
    {
        return ResultOrError(ioctl(fd, request, argument));
    }

    std::optional<std::string> ReadText(const std::string& path) override
    {
        std::ifstream file(path);
        if (!file) {
            return std::nullopt;
        }
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::vector<std::string> ListFolder(const std::string& path) override
    {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
};

SystemKernel systemKernel;

}  // namespace

Kernel* TheKernel = &systemKernel;
