#include <gtest/gtest.h>

#include <vector>

#include "port/settle_wait.h"
#include "tests/emulated_fixture.h"
#include "tests/virtual_counter.h"

namespace {

class SettleWait : public EmulatedFixture {
protected:
    // Every counter value handed out during one WaitMicroseconds call.
    std::vector<std::int64_t> WaitAndRecord(std::uint32_t count)
    {
        std::vector<std::int64_t> reads;
        TheVirtualCounter.onRead = [&reads](std::int64_t ticks) { reads.push_back(ticks); };
        WaitMicroseconds(count);
        TheVirtualCounter.onRead = nullptr;
        return reads;
    }
};

struct TickRateCase {
    std::int64_t ticksPerSecond;
    std::int64_t expectedTicksPerMicrosecond;
};

void PrintTo(const TickRateCase& testCase, std::ostream* out)
{
    *out << testCase.ticksPerSecond << " Hz";
}

class TickRate : public SettleWait, public ::testing::WithParamInterface<TickRateCase> {};

TEST_P(TickRate, OneMicrosecondIsTheQuotientPlusOneAndSpunOutExactly)
{
    const auto [ticksPerSecond, expected] = GetParam();
    TheVirtualCounter.ticksPerSecond = ticksPerSecond;

    const auto reads = WaitAndRecord(1);

    EXPECT_EQ(TicksPerMicrosecond, expected);
    // The start value, then reads one tick apart until the target is reached.
    ASSERT_EQ(reads.size(), static_cast<std::size_t>(expected + 1));
    EXPECT_EQ(reads.back() - reads.front(), expected);
}

INSTANTIATE_TEST_SUITE_P(Frequencies, TickRate,
                         ::testing::Values(TickRateCase{0, 1}, TickRateCase{32768, 1}, TickRateCase{999'999, 1},
                                           TickRateCase{1'000'000, 2}, TickRateCase{3'500'000, 4},
                                           TickRateCase{3'579'545, 4}, TickRateCase{10'000'000, 11},
                                           TickRateCase{1'000'000'000, 1001}));

TEST_F(SettleWait, TickRateIsTakenOnceAndKeptWhenTheFrequencyChanges)
{
    TheVirtualCounter.ticksPerSecond = 10'000'000;
    WaitMicroseconds(1);
    TheVirtualCounter.ticksPerSecond = 1'000'000'000;
    const auto reads = WaitAndRecord(1);

    EXPECT_EQ(TheVirtualCounter.frequencyQueries, 1);
    EXPECT_EQ(TicksPerMicrosecond, 11);
    EXPECT_EQ(reads.back() - reads.front(), 11);
}

TEST_F(SettleWait, CountsAreMultipliedAndZeroReadsTheCounterOnceMore)
{
    TheVirtualCounter.ticksPerSecond = 10'000'000;
    TheVirtualCounter.ticksPerRead = 7;

    const auto five = WaitAndRecord(5);
    EXPECT_GE(five.back() - five.front(), 55);
    EXPECT_LT(five[five.size() - 2] - five.front(), 55) << "spun past the target";

    EXPECT_EQ(WaitAndRecord(0).size(), 2u);
}

}  // namespace
