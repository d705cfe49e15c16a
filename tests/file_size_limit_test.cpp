#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "tests/emulated_fixture.h"

namespace {

using FileSizeLimit = EmulatedFixture;

// Root ignores permission bits, but not a file size limit: the write stops
// part-way, as on a full disk.
TEST_F(FileSizeLimit, FailedWriteIsReportedAndThePartialFileRemoved)
{
    UseMemory(RandomWords(2 * 0x8000, 24));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);

    const DumpOutcome outcome = Dump("image.bin\n");

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    EXPECT_EQ(outcome.console, "Filename: 64K\n128K\nUnable to write image.bin\n");
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_FALSE(std::filesystem::exists(scratch / "image.bin"));
}

}  // namespace
