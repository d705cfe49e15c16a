// A fresh emulated adapter, virtual counter and scratch folder for each test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using Words = std::vector<std::uint16_t>;

struct DumpOutcome {
    std::string console;
    int exitStatus;
};

class EmulatedFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes `memory` as a memory file (low byte first) and points the
    // emulated adapter at it.
    void UseMemory(const Words& memory);

    // Runs the whole dump with `input` as standard input, in the scratch folder.
    DumpOutcome Dump(const std::string& input);

    std::filesystem::path scratch;
    int dataReads = 0;
    int controlWrites = 0;
};

// Pseudo-random words: no bank of such a memory repeats another by chance.
Words RandomWords(std::size_t count, std::uint32_t seed);

// The words of an image file, low byte first; fails the test if the size is odd.
Words ReadImage(const std::filesystem::path& path);

void WriteWords(const std::filesystem::path& path, const Words& words);

std::string ReadText(const std::filesystem::path& path);
