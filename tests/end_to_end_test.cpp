// lptdump-emu as a user runs it: a separate process, its standard input
// piped, on the real clock.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <fstream>

#include "platform/emulated/memory.h"
#include "tests/child_process.h"
#include "tests/scratch_fixture.h"
#include "tests/words.h"

namespace {

class EndToEnd : public ScratchFixture {
protected:
    ChildOptions Options(const std::string& input) const
    {
        ChildOptions options{{LPTDUMP_EMU_PATH}, input, scratch.string(), {}};
        if (!memoryFile.empty()) {
            options.environment.emplace_back("LPTDUMP_EMU_MEMORY", memoryFile);
        }
        return options;
    }

    void UseMemory(const Words& memory)
    {
        memoryFile = (scratch / "memory.bin").string();
        WriteWords(memoryFile, memory);
    }

    std::string memoryFile;
};

TEST_F(EndToEnd, BuiltInMemoryIsDumpedInFull)
{
    const ChildResult result = RunChild(Options("image.bin\n"));

    std::string expected = "Filename: ";
    for (int kib = 64; kib <= 1024; kib += 64) {
        expected += std::to_string(kib) + "K\n";
    }
    EXPECT_EQ(result.output, expected);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(result.exitStatus, 0);
    Words builtIn(EmulatedMemory::BuiltInWords);
    for (std::size_t i = 0; i < builtIn.size(); ++i) {
        builtIn[i] = EmulatedMemory::BuiltInWord(i);
    }
    EXPECT_TRUE(ReadImage(scratch / "image.bin") == builtIn);
}

TEST_F(EndToEnd, DumpingAMemoryFileGivesTheSameFileBack)
{
    UseMemory(RandomWords(3 * 0x8000, 41));

    const ChildResult result = RunChild(Options("copy.bin\r\n"));

    EXPECT_EQ(result.output, "Filename: 64K\n128K\n192K\n");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(ReadText(scratch / "copy.bin"), ReadText(memoryFile));
}

TEST_F(EndToEnd, RefusedStartExplainsOnStandardErrorOnly)
{
    memoryFile = (scratch / "missing.bin").string();

    const ChildResult result = RunChild(Options("image.bin\n"));

    EXPECT_EQ(result.output, "Unable to initialise WinIo library\n");
    EXPECT_EQ(result.errors, "emulated adapter: memory file " + memoryFile + ": No such file or directory\n");
    EXPECT_EQ(result.exitStatus, 0);
}

TEST_F(EndToEnd, InterruptDuringTheCaptureLeavesAnExistingFileAlone)
{
    std::ofstream(scratch / "keep.bin") << "an earlier image";

    Child child(Options("keep.bin\n"));
    ASSERT_TRUE(child.WaitForOutput("64K\n"));
    child.Signal(SIGINT);
    const ChildResult result = child.Finish();

    EXPECT_EQ(result.signal, SIGINT);
    EXPECT_EQ(result.output.find("1024K"), std::string::npos) << "the capture ended before the signal";
    EXPECT_EQ(ReadText(scratch / "keep.bin"), "an earlier image");
}

TEST_F(EndToEnd, FullDeviceIsReportedAndLeftInPlace)
{
    UseMemory(RandomWords(0x8000, 42));

    const ChildResult result = RunChild(Options("/dev/full\n"));

    EXPECT_EQ(result.output, "Filename: 64K\nUnable to write /dev/full\n");
    EXPECT_EQ(result.exitStatus, 1);
    struct stat device{};
    ASSERT_EQ(stat("/dev/full", &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));
}

TEST_F(EndToEnd, ShortWriteRemovesThePartialImage)
{
    UseMemory(RandomWords(2 * 0x8000, 43));
    ChildOptions options = Options("image.bin\n");
    options.fileSizeLimit = 100000;

    const ChildResult result = RunChild(options);

    EXPECT_EQ(result.output, "Filename: 64K\n128K\nUnable to write image.bin\n");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_FALSE(std::filesystem::exists(scratch / "image.bin"));
}

}  // namespace
