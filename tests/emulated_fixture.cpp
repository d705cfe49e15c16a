#include "tests/emulated_fixture.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "dump/run_dump.h"
#include "platform/emulated/emulated_port.h"
#include "port/settle_wait.h"
#include "tests/virtual_counter.h"

void EmulatedFixture::SetUp()
{
    TicksPerMicrosecond = 0;
    TheVirtualCounter = VirtualCounter{};
    unsetenv("LPTDUMP_EMU_MEMORY");
    TheEmulatedAdapter.onAccess = [this](const PortAccess& access) {
        ++(access.isWrite ? controlWrites : dataReads);
    };
    std::string pattern = (std::filesystem::temp_directory_path() / "lptdump-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    scratch = pattern;
}

void EmulatedFixture::TearDown()
{
    TheEmulatedAdapter.onAccess = nullptr;
    TheVirtualCounter.onRead = nullptr;
    TheEmulatedAdapter.Close();
    unsetenv("LPTDUMP_EMU_MEMORY");
    std::filesystem::remove_all(scratch);
}

void EmulatedFixture::UseMemory(const Words& memory)
{
    const auto path = scratch / "memory.bin";
    WriteWords(path, memory);
    setenv("LPTDUMP_EMU_MEMORY", path.c_str(), 1);
}

DumpOutcome EmulatedFixture::Dump(const std::string& input)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(scratch);
    std::istringstream in(input);
    std::ostringstream console;
    const int status = RunDump(in, console);
    std::filesystem::current_path(previous);
    return {console.str(), status};
}

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
