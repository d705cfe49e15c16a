#include "tests/words.h"

#include <fstream>
#include <random>

#include <gtest/gtest.h>

Words RandomWords(std::size_t count, std::uint32_t seed)
{
    std::mt19937 generator(seed);
    Words words(count);
    for (auto& word : words) {
        word = static_cast<std::uint16_t>(generator());
    }
    return words;
}

Words ReadImage(const std::filesystem::path& path)
{
    const std::string bytes = ReadText(path);
    EXPECT_EQ(bytes.size() % 2, 0u) << path;
    Words words(bytes.size() / 2);
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                              static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return words;
}

void WriteWords(const std::filesystem::path& path, const Words& words)
{
    std::string bytes;
    bytes.reserve(words.size() * 2);
    for (const auto word : words) {
        bytes.push_back(static_cast<char>(word & 0xFF));
        bytes.push_back(static_cast<char>(word >> 8));
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
