#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "tests/emulated_fixture.h"

namespace {

using namespace std::string_literals;

constexpr std::size_t Bank = 0x8000;
const std::string OneBank = "Filename: 64K\n";

struct NameCase {
    std::string name;
    std::string input;
    std::string fileName;  // empty: no file may be created
    std::string console;
};

void PrintTo(const NameCase& testCase, std::ostream* out)
{
    *out << testCase.name;
}

const NameCase NameCases[] = {
    {"PlainLine", "image.bin\n", "image.bin", OneBank},
    {"CarriageReturnBeforeNewline", "image.bin\r\n", "image.bin", OneBank},
#ifdef _WIN32
    // The name reaches the file system as typed; Windows itself drops a
    // trailing space and refuses a carriage return in a file name.
    {"SpacesKept", "  two words.bin \r\n", "  two words.bin", OneBank},
    {"CarriageReturnAtEndOfInputIsKept", "last.bin\r", "", OneBank + "Unable to open last.bin\r\n"},
#else
    {"SpacesKept", "  two words.bin \r\n", "  two words.bin ", OneBank},
    {"CarriageReturnAtEndOfInputIsKept", "last.bin\r", "last.bin\r", OneBank},
#endif
    {"OnlyTheFirstLine", "first.bin\nsecond.bin\n", "first.bin", OneBank},
    {"EndOfInputWithoutNewline", "last.bin", "last.bin", OneBank},
    {"EmptyLine", "\n", "", OneBank + "Unable to open \n"},
    {"NoInputAtAll", "", "", OneBank + "Unable to open \n"},
    {"FolderThatDoesNotExist", "missing/image.bin\n", "", OneBank + "Unable to open missing/image.bin\n"},
    {"NameOfAFolder", "folder\n", "", OneBank + "Unable to open folder\n"},
    {"NulInsideTheName", "cut\0short.bin\n"s, "", OneBank + "Unable to open cut\0short.bin\n"s},
};

class Dialogue : public EmulatedFixture, public ::testing::WithParamInterface<NameCase> {};

TEST_P(Dialogue, NameIsTheLineAsTyped)
{
    const NameCase& nameCase = GetParam();
    const Words memory = RandomWords(Bank, 21);
    UseMemory(memory);
    std::filesystem::create_directory(scratch / "folder");

    const DumpOutcome outcome = Dump(nameCase.input);

    EXPECT_EQ(outcome.exitStatus, 0);
    EXPECT_EQ(outcome.console, nameCase.console);
    // The whole capture runs whatever the name.
    EXPECT_EQ(dataReads, 2 * 2 * static_cast<int>(Bank));
    std::set<std::string> expectedEntries = {"folder", "memory.bin"};
    if (!nameCase.fileName.empty()) {
        expectedEntries.insert(nameCase.fileName);
        EXPECT_TRUE(ReadImage(scratch / nameCase.fileName) == memory);
    }
    std::set<std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(scratch)) {
        entries.insert(entry.path().filename().string());
    }
    EXPECT_EQ(entries, expectedEntries);
}

INSTANTIATE_TEST_SUITE_P(Names, Dialogue, ::testing::ValuesIn(NameCases),
                         [](const auto& info) { return info.param.name; });

using DumpRun = EmulatedFixture;

TEST_F(DumpRun, ExistingFileIsReplacedNotAppendedTo)
{
    const Words memory = RandomWords(Bank, 22);
    UseMemory(memory);
    WriteWords(scratch / "image.bin", RandomWords(3 * Bank, 23));

    EXPECT_EQ(Dump("image.bin\n").console, OneBank);
    EXPECT_TRUE(ReadImage(scratch / "image.bin") == memory);
}

TEST_F(DumpRun, RefusedPortAccessPrintsOnlyItsMessage)
{
    UseMemoryFile(scratch / "missing");
    ::testing::internal::CaptureStderr();

    const DumpOutcome outcome = Dump("image.bin\n");

    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(outcome.console, "Unable to initialise WinIo library\n");
    EXPECT_EQ(outcome.exitStatus, 0);
    EXPECT_EQ(dataReads + controlWrites, 0);
    EXPECT_FALSE(std::filesystem::exists(scratch / "image.bin"));
}

}  // namespace
