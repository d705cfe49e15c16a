#include <gtest/gtest.h>

#include <fstream>

#include "platform/emulated/adapter.h"
#include "platform/emulated/memory.h"
#include "platform/performance_counter.h"
#include "platform/winio.h"
#include "tests/emulated_fixture.h"
#include "tests/virtual_counter.h"

namespace {

class EmulatedAdapterTest : public EmulatedFixture {
protected:
    std::uint32_t Data()
    {
        std::uint32_t value = 0xDEAD;
        EXPECT_TRUE(GetPortVal(0x378, &value, 1));
        return value;
    }

    void Control(std::uint8_t value) { EXPECT_TRUE(SetPortVal(0x37A, value, 1)); }

    // Lets the virtual counter (1 MHz, one tick per read) move on by `ticks`.
    void Elapse(int ticks)
    {
        for (std::int64_t now = 0; ticks-- > 0;) {
            QueryPerformanceCounter(&now);
        }
    }

    void ControlSettled(std::uint8_t value)
    {
        Control(value);
        Elapse(2);
    }
};

TEST_F(EmulatedAdapterTest, LinesKeepTheirOldValueUntilAMicrosecondAfterAControlWrite)
{
    UseMemory({0x1234, 0x5678});
    ASSERT_TRUE(InitializeWinIo());
    ControlSettled(0x2B);
    ControlSettled(0x29);
    ControlSettled(0x2B);
    ASSERT_EQ(Data(), 0x12u);

    Control(0x23);
    EXPECT_EQ(Data(), 0x12u) << "read with no counter read since the write";
    Elapse(1);
    EXPECT_EQ(Data(), 0x12u) << "the wait has only just begun";
    Elapse(1);
    EXPECT_EQ(Data(), 0x34u);

    // A step pulse with the second write too soon: the lines still show word 0.
    Control(0x2B);
    Elapse(2);
    Control(0x2A);
    Control(0x2B);
    EXPECT_EQ(Data(), 0x12u);
    Elapse(2);
    EXPECT_EQ(Data(), 0x56u);
}

TEST_F(EmulatedAdapterTest, PulsesActOnTheirFallingEdgeOnlyAndAddressesWrapAtAnySize)
{
    UseMemory({0x0100, 0x0200, 0x0300});
    ASSERT_TRUE(InitializeWinIo());
    ControlSettled(0x2B);
    ControlSettled(0x29);
    ControlSettled(0x29);  // still low: no second start
    ControlSettled(0x2B);
    EXPECT_EQ(Data(), 0x01u);

    ControlSettled(0x2A);
    ControlSettled(0x2A);  // held, not a new pulse
    ControlSettled(0x2B);
    EXPECT_EQ(Data(), 0x02u);
    for (int step = 0; step < 2; ++step) {
        ControlSettled(0x2A);
        ControlSettled(0x2B);
    }
    EXPECT_EQ(Data(), 0x01u) << "word 3 of a 3-word memory is word 0";
}

TEST_F(EmulatedAdapterTest, AddressIsNotZeroBeforeTheFirstStartPulse)
{
    UseMemory(RandomWords(0x8000, 3));
    ASSERT_TRUE(InitializeWinIo());
    ControlSettled(0x2B);
    const auto beforeStart = Data();
    ControlSettled(0x29);
    ControlSettled(0x2B);
    EXPECT_NE(Data(), beforeStart);
}

TEST_F(EmulatedAdapterTest, OutputDirectionReadsThePortsOwnLatch)
{
    UseMemory({0xA5A5});
    ASSERT_TRUE(InitializeWinIo());
    EXPECT_EQ(Data(), 0u) << "the port comes up driving its lines";
    ControlSettled(0x2B);
    EXPECT_EQ(Data(), 0xA5u);
    ControlSettled(0x0B);
    EXPECT_EQ(Data(), 0u);
}

TEST_F(EmulatedAdapterTest, OnlyByteReadsOfDataAndByteWritesOfControlWhileOpen)
{
    UseMemory({0x4242});
    struct Access {
        bool isWrite;
        std::uint16_t port;
        std::uint8_t size;
    };
    const Access refused[] = {{false, 0x379, 1}, {false, 0x37A, 1}, {false, 0x378, 2}, {false, 0x378, 4},
                              {true, 0x378, 1},  {true, 0x379, 1},  {true, 0x37A, 2},  {true, 0x37A, 0}};
    auto tryAll = [&refused] {
        for (const auto& access : refused) {
            std::uint32_t value = 0xDEAD;
            const bool ok = access.isWrite ? SetPortVal(access.port, 0x03, access.size)
                                           : GetPortVal(access.port, &value, access.size);
            EXPECT_FALSE(ok) << access.isWrite << " " << access.port << " " << int(access.size);
            EXPECT_EQ(value, 0xDEADu);
        }
    };

    std::uint32_t value = 0xDEAD;
    EXPECT_FALSE(GetPortVal(0x378, &value, 1));
    EXPECT_FALSE(SetPortVal(0x37A, 0x2B, 1));
    ASSERT_TRUE(InitializeWinIo());
    tryAll();
    // None of the refused writes reached the control register: still in
    // the output direction, and the start line never fell.
    EXPECT_EQ(Data(), 0u);
    ControlSettled(0x2B);
    EXPECT_EQ(Data(), 0x42u);
    ShutdownWinIo();
    EXPECT_FALSE(GetPortVal(0x378, &value, 1));
    EXPECT_FALSE(SetPortVal(0x37A, 0x2B, 1));
    EXPECT_EQ(value, 0xDEADu);
}

TEST_F(EmulatedAdapterTest, UnusableMemoryFilesRefuseStartWithOneLineOnStandardError)
{
    std::filesystem::create_directory(scratch / "folder");
    std::ofstream(scratch / "empty");
    std::ofstream(scratch / "odd") << "abc";
    struct Case {
        std::string file;
        std::string reason;
    };
#ifdef _WIN32
    // Windows words its own reasons for these two.
    const std::string missing, folder;
#else
    const std::string missing = "No such file or directory", folder = "Is a directory";
#endif
    const Case cases[] = {{"missing", missing}, {"folder", folder}, {"empty", "empty"}, {"odd", "odd length (3 bytes)"}};
    for (const auto& [file, reason] : cases) {
        const auto path = (scratch / file).string();
        UseMemoryFile(path);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(InitializeWinIo()) << file;
        const std::string error = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(error.find("emulated adapter: memory file " + path + ": " + reason), 0u) << error;
        EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
        std::uint32_t value = 0;
        EXPECT_FALSE(GetPortVal(0x378, &value, 1)) << file;
    }
}

TEST(BuiltInMemory, SixteenBanksNoTwoAlikeAndEveryByteValueUsed)
{
    constexpr std::uint64_t bankWords = 0x8000;
    ASSERT_EQ(EmulatedMemory::BuiltInWords, 16 * bankWords);
    std::vector<Words> banks(16, Words(bankWords));
    bool seen[256] = {};
    for (std::uint64_t address = 0; address < EmulatedMemory::BuiltInWords; ++address) {
        const auto word = EmulatedMemory::BuiltInWord(address);
        banks[address / bankWords][address % bankWords] = word;
        seen[word & 0xFF] = seen[word >> 8] = true;
    }
    for (std::size_t a = 0; a < banks.size(); ++a) {
        for (std::size_t b = a + 1; b < banks.size(); ++b) {
            EXPECT_NE(banks[a], banks[b]) << a << " " << b;
        }
    }
    EXPECT_EQ(std::count(std::begin(seen), std::end(seen), true), 256);
}

}  // namespace
