// The image file: every captured word as two bytes, low byte first, with no
// header or trailer.
#pragma once

#include <cstdint>
#include <span>
#include <string>

enum class ImageFileResult {
    Written,
    NotOpened,   // nothing was created or changed
    NotWritten,  // opened, but the write or close failed
};

// Creates or empties the file `name` and writes `image` to it in one write. A
// regular file whose write fails is removed, so no short image is left that
// could pass for a smaller memory.
ImageFileResult WriteImageFile(const std::string& name, std::span<const std::uint16_t> image);
