#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/emulated/adapter.h"
#include "port/settle_wait.h"
#include "port/word_cycle.h"
#include "platform/winio.h"
#include "tests/emulated_fixture.h"
#include "tests/virtual_counter.h"

namespace {

using WordCycle = EmulatedFixture;

TEST_F(WordCycle, ControlSequenceAndDataReadsOfAShortRun)
{
    UseMemory({0x1234, 0xABCD, 0x00FF, 0x8001});
    std::vector<std::string> accesses;
    TheEmulatedAdapter.onAccess = [&accesses](const PortAccess& access) {
        char text[16];
        std::snprintf(text, sizeof text, "%c%X=%02X", access.isWrite ? 'W' : 'R', access.port, access.value);
        accesses.push_back(text);
    };
    ASSERT_TRUE(InitializeWinIo());

    SendStartPulse();
    std::vector<std::uint16_t> words;
    for (int i = 0; i < 3; ++i) {
        words.push_back(ReadWord());
    }

    // High byte first; the step pulse after every word, the last one too.
    EXPECT_EQ(words, (std::vector<std::uint16_t>{0x1234, 0xABCD, 0x00FF}));
    const std::vector<std::string> expected = {
        "W37A=2B", "W37A=29", "W37A=2B",
        "R378=12", "W37A=23", "R378=34", "W37A=2B", "W37A=2A", "W37A=2B",
        "R378=AB", "W37A=23", "R378=CD", "W37A=2B", "W37A=2A", "W37A=2B",
        "R378=00", "W37A=23", "R378=FF", "W37A=2B", "W37A=2A", "W37A=2B",
    };
    EXPECT_EQ(accesses, expected);
}

// Watches every port access of a whole dump: after each control write the
// next counter read must be the start of a wait, and the next port access
// must come only after the counter has moved TicksPerMicrosecond past it.
class SettleEveryWrite : public EmulatedFixture, public ::testing::WithParamInterface<std::int64_t> {};

TEST_P(SettleEveryWrite, NoPortAccessBeforeTheSettleTimeHasPassed)
{
    const std::int64_t ticksPerSecond = GetParam();
    const std::int64_t required = ticksPerSecond / 1'000'000 + 1;
    TheVirtualCounter.ticksPerSecond = ticksPerSecond;
    // A step that does not divide the wait, so the last read overshoots.
    TheVirtualCounter.ticksPerRead = required / 3 + 1;

    const Words memory = RandomWords(0x8000, 7);
    UseMemory(memory);

    bool writePending = false;
    bool waitStarted = false;
    std::int64_t waitStart = 0;
    std::int64_t lastRead = 0;
    int checkedWrites = 0;
    int violations = 0;
    TheVirtualCounter.onRead = [&](std::int64_t ticks) {
        if (writePending && !waitStarted) {
            waitStarted = true;
            waitStart = ticks;
        }
        lastRead = ticks;
    };
    TheEmulatedAdapter.onAccess = [&](const PortAccess& access) {
        if (writePending) {
            ++checkedWrites;
            if (!waitStarted || lastRead - waitStart < required) {
                ++violations;
            }
        }
        writePending = access.isWrite;
        waitStarted = false;
    };

    const DumpOutcome outcome = Dump("image.bin\n");

    EXPECT_EQ(TicksPerMicrosecond, required);
    EXPECT_EQ(TheVirtualCounter.frequencyQueries, 1);
    EXPECT_EQ(violations, 0);
    // Every write but the very last is followed by another access.
    EXPECT_EQ(checkedWrites, 3 + 4 * 2 * 0x8000 - 1);
    EXPECT_EQ(outcome.console, "Filename: 64K\n");
    EXPECT_EQ(ReadImage(scratch / "image.bin"), memory);
}

INSTANTIATE_TEST_SUITE_P(Frequencies, SettleEveryWrite,
                         ::testing::Values(1'000'000, 3'579'545, 10'000'000, 1'000'000'000));

}  // namespace
