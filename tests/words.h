// Memories and image files as lists of 16-bit words, for tests and benchmarks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using Words = std::vector<std::uint16_t>;

// Pseudo-random words: no bank of such a memory repeats another by chance.
Words RandomWords(std::size_t count, std::uint32_t seed);

// The words of an image file, low byte first; fails the test if the size is odd.
Words ReadImage(const std::filesystem::path& path);

void WriteWords(const std::filesystem::path& path, const Words& words);

std::string ReadText(const std::filesystem::path& path);
