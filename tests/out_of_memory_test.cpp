// The image is reserved in full before the capture: when that memory cannot
// be had, the run says so and stops, instead of aborting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "tests/emulated_fixture.h"

// This allocator hands out malloc's memory, so free is its matching release.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::size_t refuseFrom = SIZE_MAX;
}

void* operator new(std::size_t size)
{
    if (size >= refuseFrom) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

using OutOfMemory = EmulatedFixture;

TEST_F(OutOfMemory, NoImageMemoryMeansOneLineStatusOneAndNoFile)
{
    UseMemory(RandomWords(0x8000, 31));
    refuseFrom = std::size_t{1} << 20;
    const DumpOutcome outcome = Dump("image.bin\n");
    refuseFrom = SIZE_MAX;

    EXPECT_EQ(outcome.console, "Not enough memory to hold the image\n");
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_EQ(controlWrites, 0);
    EXPECT_FALSE(std::filesystem::exists(scratch / "image.bin"));

    // The port was released: a second run starts afresh and completes.
    EXPECT_EQ(Dump("image.bin\n").console, "Filename: 64K\n");
}

}  // namespace
