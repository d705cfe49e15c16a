#include "tests/scratch_fixture.h"

#include <random>
#include <string>

void ScratchFixture::SetUp()
{
    std::random_device random;
    const auto folder = std::filesystem::temp_directory_path() / ("lptdump-test-" + std::to_string(random()));
    ASSERT_TRUE(std::filesystem::create_directory(folder)) << folder;
    scratch = folder;
}

void ScratchFixture::TearDown()
{
    std::error_code error;
    std::filesystem::remove_all(scratch, error);
}
