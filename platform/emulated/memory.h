// The memory behind the emulated adapter: S 16-bit words, read at any address
// modulo S, as a memory smaller than the adapter's address range repeats.
#pragma once

#include <cstdint>
#include <fstream>
#include <vector>

class EmulatedMemory {
public:
    // Takes the memory from the file named by LPTDUMP_EMU_MEMORY (S words, low
    // byte first), or the built-in 1 MiB pattern when it is unset. A file that
    // cannot be used is reported in one line on standard error.
    bool Open();
    void Close();

    std::uint16_t Word(std::uint64_t address);

    // The built-in memory: 16 banks, no two alike, every byte value in use.
    static constexpr std::uint64_t BuiltInWords = 512 * 1024;
    static std::uint16_t BuiltInWord(std::uint64_t address);

private:
    bool OpenFile(const char* path);
    void LoadBlock(std::uint64_t blockStart);

    // A file's words are read one block at a time, so the emulator stays
    // small whatever the memory's size.
    static constexpr std::uint64_t BlockWords = 32 * 1024;

    std::uint64_t words_ = 0;
    std::ifstream file_;
    std::vector<std::uint16_t> block_;
    std::uint64_t blockStart_ = 0;
};
