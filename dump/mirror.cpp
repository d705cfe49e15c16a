#include "dump/mirror.h"

#include <algorithm>

bool IsMirrorBank(std::span<const std::uint16_t> bank, std::span<const std::uint16_t> image)
{
    // Only bank 0 is the reference: later banks of the image are never compared.
    return std::equal(bank.begin(), bank.end(), image.begin());
}
