#include "dump/image_file.h"

#include <bit>
#include <cstdio>
#include <filesystem>

// The words go to the file straight from memory, which is only their file
// layout on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

static void RemoveIfRegularFile(const std::string& name)
{
    // A device such as /dev/full, or the target of a symbolic link, is not
    // ours to delete.
    std::error_code error;
    if (std::filesystem::symlink_status(name, error).type() == std::filesystem::file_type::regular) {
        std::filesystem::remove(name, error);
    }
}

ImageFileResult WriteImageFile(const std::string& name, std::span<const std::uint16_t> image)
{
    // A NUL inside the typed name would silently cut it short to another name.
    if (name.find('\0') != std::string::npos) {
        return ImageFileResult::NotOpened;
    }
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file == nullptr) {
        return ImageFileResult::NotOpened;
    }
    const bool written = std::fwrite(image.data(), sizeof(std::uint16_t), image.size(), file) == image.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed) {
        return ImageFileResult::Written;
    }
    RemoveIfRegularFile(name);
    return ImageFileResult::NotWritten;
}
