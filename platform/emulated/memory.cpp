#include "platform/emulated/memory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

static void Complain(const char* path, const std::string& problem)
{
    std::cerr << "emulated adapter: memory file " << path << ": " << problem << std::endl;
}

bool EmulatedMemory::Open()
{
    Close();
    const char* path = std::getenv("LPTDUMP_EMU_MEMORY");
    if (path == nullptr) {
        words_ = BuiltInWords;
        return true;
    }
    return OpenFile(path);
}

void EmulatedMemory::Close()
{
    file_.close();
    file_.clear();
    block_.clear();
    words_ = 0;
}

bool EmulatedMemory::OpenFile(const char* path)
{
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(path, error);
    if (error) {
        Complain(path, error.message());
        return false;
    }
    if (bytes == 0) {
        Complain(path, "empty");
        return false;
    }
    if (bytes % 2 != 0) {
        Complain(path, "odd length (" + std::to_string(bytes) + " bytes), not whole 16-bit words");
        return false;
    }
    file_.open(path, std::ios::binary);
    if (!file_) {
        Complain(path, std::strerror(errno));
        return false;
    }
    words_ = bytes / 2;
    LoadBlock(0);
    if (!file_) {
        Complain(path, "read failed");
        Close();
        return false;
    }
    return true;
}

void EmulatedMemory::LoadBlock(std::uint64_t blockStart)
{
    const std::uint64_t count = std::min(BlockWords, words_ - blockStart);
    std::vector<unsigned char> bytes(count * 2);
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(blockStart * 2));
    file_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    block_.resize(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        block_[i] = static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    blockStart_ = blockStart;
}

std::uint16_t EmulatedMemory::Word(std::uint64_t address)
{
    const std::uint64_t offset = address % words_;
    if (!file_.is_open()) {
        return BuiltInWord(offset);
    }
    if (offset < blockStart_ || offset >= blockStart_ + block_.size()) {
        LoadBlock(offset - offset % BlockWords);
    }
    return block_[offset - blockStart_];
}

std::uint16_t EmulatedMemory::BuiltInWord(std::uint64_t address)
{
    // Within a bank an odd multiplier visits 32768 different words; the bank's
    // own offset makes every bank differ from every other.
    const std::uint64_t bank = address / 0x8000;
    return static_cast<std::uint16_t>(address * 0x9E3B ^ bank * 0x1111);
}
