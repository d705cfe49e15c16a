#include "dump/run_dump.h"

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "dump/capture_limits.h"
#include "dump/image_file.h"
#include "dump/mirror.h"
#include "platform/winio.h"
#include "port/word_cycle.h"

static bool ReserveWords(std::vector<std::uint16_t>& words, std::size_t count)
{
    try {
        words.reserve(count);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// One line, its newline dropped together with a carriage return directly
// before it; everything else, spaces included, is kept.
static std::string ReadFileName(std::istream& input)
{
    std::string line;
    std::getline(input, line);
    const bool endedWithNewline = !input.eof();
    if (endedWithNewline && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

int RunDump(std::istream& input, std::ostream& console)
{
    if (!InitializeWinIo()) {
        console << "Unable to initialise WinIo library" << std::endl;
        return 0;
    }

    // All memory is taken before the capture, so none can run out half-way
    // through it.
    std::vector<std::uint16_t> image;
    std::vector<std::uint16_t> bank;
    if (!ReserveWords(image, MaxBanks * WordsPerBank) || !ReserveWords(bank, WordsPerBank)) {
        console << "Not enough memory to hold the image" << std::endl;
        ShutdownWinIo();
        return 1;
    }

    console << "Filename: " << std::flush;
    const std::string fileName = ReadFileName(input);

    SendStartPulse();
    for (std::uint16_t bankIndex = 0; bankIndex < MaxBanks; ++bankIndex) {
        bank.clear();
        for (std::size_t word = 0; word < WordsPerBank; ++word) {
            bank.push_back(ReadWord());
        }
        if (bankIndex != 0 && IsMirrorBank(bank, image)) {
            break;
        }
        image.insert(image.end(), bank.begin(), bank.end());
        console << (bankIndex + 1) * 64 << "K" << std::endl;
    }

    int exitStatus = 0;
    switch (WriteImageFile(fileName, image)) {
    case ImageFileResult::Written:
        break;
    case ImageFileResult::NotOpened:
        console << "Unable to open " << fileName << std::endl;
        break;
    case ImageFileResult::NotWritten:
        console << "Unable to write " << fileName << std::endl;
        exitStatus = 1;
        break;
    }
    ShutdownWinIo();
    return exitStatus;
}
