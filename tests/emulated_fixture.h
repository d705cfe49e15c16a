// A fresh emulated adapter, virtual counter and scratch folder for each test.
#pragma once

#include <string>

#include "tests/scratch_fixture.h"
#include "tests/words.h"

struct DumpOutcome {
    std::string console;
    int exitStatus;
};

class EmulatedFixture : public ScratchFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes `memory` as a memory file (low byte first) and points the
    // emulated adapter at it.
    void UseMemory(const Words& memory);
    void UseMemoryFile(const std::filesystem::path& path);

    // Runs the whole dump with `input` as standard input, in the scratch folder.
    DumpOutcome Dump(const std::string& input);

    int dataReads = 0;
    int controlWrites = 0;
};
