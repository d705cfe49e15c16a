#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/emulated/memory.h"
#include "tests/emulated_fixture.h"

namespace {

constexpr std::size_t Bank = 0x8000;

struct MemoryCase {
    std::string name;
    std::function<Words()> memory;
    int keptBanks;
    int readBanks;  // kept banks, plus the mirror bank when one ends the capture
};

void PrintTo(const MemoryCase& testCase, std::ostream* out)
{
    *out << testCase.name;
}

std::string ProgressLines(int banks)
{
    std::string lines = "Filename: ";
    for (int bank = 1; bank <= banks; ++bank) {
        lines += std::to_string(bank * 64) + "K\n";
    }
    return lines;
}

Words Concatenate(std::initializer_list<Words> banks)
{
    Words all;
    for (const auto& bank : banks) {
        all.insert(all.end(), bank.begin(), bank.end());
    }
    return all;
}

Words BuiltInPattern()
{
    Words words(EmulatedMemory::BuiltInWords);
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = EmulatedMemory::BuiltInWord(i);
    }
    return words;
}

const MemoryCase Cases[] = {
    {"OneWord", [] { return Words{0xA55A}; }, 1, 2},
    {"EveryWordTheSame", [] { return Words(4 * Bank, 0x0000); }, 1, 2},
    {"SixtyFourKiB", [] { return RandomWords(Bank, 1); }, 1, 2},
    {"OneHundredTwentyEightKiB", [] { return RandomWords(2 * Bank, 2); }, 2, 3},
    {"OneMiB", BuiltInPattern, 16, 17},
    // 100 words: bank k starts at word 32768k mod 100, which is 0 first for k = 25.
    {"HundredWords", [] { return RandomWords(100, 3); }, 25, 26},
    {"ThreeBanksAndAFewWords", [] { return RandomWords(3 * Bank + 5, 4); }, 64, 64},
    {"EightMiB", [] { return RandomWords(64 * Bank * 2, 5); }, 64, 64},
    {"BankZeroAgainButTheLastWord",
     [] {
         const Words zero = RandomWords(Bank, 6);
         Words almost = zero;
         almost.back() ^= 1;
         return Concatenate({zero, almost, RandomWords(Bank, 7)});
     },
     3, 4},
    {"BankRepeatsThePreviousNotBankZero",
     [] {
         const Words other = RandomWords(Bank, 8);
         return Concatenate({RandomWords(Bank, 9), other, other});
     },
     3, 4},
    {"BankFourRepeatsBankZero",
     [] {
         const Words flat(Bank, 0x5A5A);
         return Concatenate({flat, RandomWords(Bank, 10), RandomWords(Bank, 11), RandomWords(Bank, 12), flat,
                             RandomWords(Bank, 13)});
     },
     4, 5},
};

class Capture : public EmulatedFixture, public ::testing::WithParamInterface<MemoryCase> {};

TEST_P(Capture, KeepsEveryBankBeforeTheFirstRepeatOfBankZero)
{
    const MemoryCase& memoryCase = GetParam();
    const Words memory = memoryCase.memory();
    UseMemory(memory);

    const DumpOutcome outcome = Dump("image.bin\n");

    EXPECT_EQ(outcome.exitStatus, 0);
    EXPECT_EQ(outcome.console, ProgressLines(memoryCase.keptBanks));
    Words expected(memoryCase.keptBanks * Bank);
    for (std::size_t word = 0; word < expected.size(); ++word) {
        expected[word] = memory[word % memory.size()];
    }
    // Compared as a whole, not word by word: a mismatch must not flood the log.
    const Words image = ReadImage(scratch / "image.bin");
    EXPECT_EQ(image.size(), expected.size());
    EXPECT_TRUE(image == expected);
    EXPECT_EQ(dataReads, 2 * memoryCase.readBanks * static_cast<int>(Bank)) << "a word beyond the last bank was read";
}

INSTANTIATE_TEST_SUITE_P(Memories, Capture, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
