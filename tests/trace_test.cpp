// The waveform trace of lptdump-emu, read back through sigrok-cli's VCD
// import: what sigrok decodes must show the protocol as the program drives it.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "tests/child_process.h"
#include "tests/scratch_fixture.h"
#include "tests/words.h"

namespace {

// The value changes of a VCD file, in file order: time, wire name, level.
struct Change {
    long long time;
    std::string wire;
    bool level;
};

struct Dump {
    std::vector<std::string> wires;
    std::vector<Change> changes;
    bool timesIncrease = true;
};

Dump ParseVcd(const std::string& text)
{
    Dump dump;
    std::map<std::string, std::string> names;
    std::istringstream in(text);
    long long time = -1;
    for (std::string token; in >> token;) {
        if (token == "$var") {
            std::string type, width, id, name;
            in >> type >> width >> id >> name;
            names[id] = name;
            dump.wires.push_back(name);
        } else if (token[0] == '#') {
            const long long next = std::stoll(token.substr(1));
            dump.timesIncrease = dump.timesIncrease && next > time;
            time = next;
        } else if ((token[0] == '0' || token[0] == '1') && names.count(token.substr(1)) != 0) {
            dump.changes.push_back({time, names[token.substr(1)], token[0] == '1'});
        }
    }
    return dump;
}

class Trace : public ScratchFixture {
protected:
    ChildResult RunEmu(const std::vector<std::pair<std::string, std::string>>& environment)
    {
        WriteWords(scratch / "memory.bin", memory);
        ChildOptions options{{LPTDUMP_EMU_PATH}, "image.bin\n", scratch.string(), environment};
        options.environment.emplace_back("LPTDUMP_EMU_MEMORY", "memory.bin");
        return RunChild(options);
    }

    const Words memory = RandomWords(0x8000, 61);
};

TEST_F(Trace, SigrokDecodesTheStartPulseTheWordsAndTheSettleTimes)
{
    const ChildResult dump = RunEmu({{"LPTDUMP_EMU_TRACE", "trace.vcd"}});
    ASSERT_EQ(dump.output, "Filename: 64K\n");
    EXPECT_EQ(dump.errors, "");
    EXPECT_TRUE(ReadImage(scratch / "image.bin") == memory) << "tracing changed the capture";

    const Dump written = ParseVcd(ReadText(scratch / "trace.vcd"));
    EXPECT_TRUE(written.timesIncrease);

    const ChildResult sigrok =
        RunChild({{SIGROK_CLI_PATH, "-I", "vcd", "-i", (scratch / "trace.vcd").string(), "-O", "vcd"}, "", "", {}});
    ASSERT_EQ(sigrok.exitStatus, 0);
    ASSERT_EQ(sigrok.errors, "") << "sigrok-cli exits 0 on a malformed file, but says so here";
    const Dump decoded = ParseVcd(sigrok.output);
    EXPECT_EQ(decoded.wires, written.wires);

    // Every wire has its value at time 0.
    std::map<std::string, bool> lines;
    for (const auto& change : decoded.changes) {
        if (change.time == 0) {
            lines[change.wire] = change.level;
        }
    }
    EXPECT_EQ(lines.size(), decoded.wires.size());

    const std::vector<std::string> controlWires = {"strobe_pin1", "auto_linefeed_pin14", "initialize_pin16",
                                                   "select_in_pin17", "direction_input"};
    long long lastControlEdge = 0;
    int startPulses = 0, stepPulses = 0;
    bool readsBegun = false;
    std::vector<int> bytes;
    long long shortestSettle = 1'000'000;
    for (std::size_t i = 0; i < decoded.changes.size();) {
        // Apply every change at this time, then look at the lines.
        const long long time = decoded.changes[i].time;
        bool controlChanged = false, read = false;
        for (; i < decoded.changes.size() && decoded.changes[i].time == time; ++i) {
            const Change& change = decoded.changes[i];
            const bool rose = change.level && !lines[change.wire];
            lines[change.wire] = change.level;
            if (time == 0) {
                continue;
            }
            controlChanged |= std::find(controlWires.begin(), controlWires.end(), change.wire) != controlWires.end();
            read |= change.wire == "data_read";
            startPulses += change.wire == "auto_linefeed_pin14" && rose;
            stepPulses += change.wire == "strobe_pin1" && rose;
        }
        ASSERT_FALSE(controlChanged && read) << "a read at the very moment of a control edge, at " << time;
        if (controlChanged) {
            lastControlEdge = time;
        }
        if (read) {
            EXPECT_EQ(startPulses, 1) << "read before the start pulse, at " << time;
            EXPECT_FALSE(lines["auto_linefeed_pin14"] || lines["strobe_pin1"]) << "read during a pulse at " << time;
            // Select In is high exactly for the second (low) byte of a word.
            EXPECT_EQ(lines["select_in_pin17"], bytes.size() % 2 == 1) << time;
            readsBegun = true;
            shortestSettle = std::min(shortestSettle, time - lastControlEdge);
            int byte = 0;
            for (int bit = 0; bit < 8; ++bit) {
                byte |= lines["d" + std::to_string(bit) + "_pin" + std::to_string(bit + 2)] << bit;
            }
            bytes.push_back(byte);
        }
    }
    EXPECT_TRUE(readsBegun);
    EXPECT_GE(shortestSettle, 1000) << "a data read less than 1 us after the control edge before it";
    EXPECT_EQ(startPulses, 1);
    EXPECT_EQ(stepPulses, 16);
    ASSERT_EQ(bytes.size(), 32u) << "the start pulse and 16 words";
    for (std::size_t word = 0; word < 16; ++word) {
        EXPECT_EQ(bytes[2 * word] << 8 | bytes[2 * word + 1], memory[word]) << "word " << word;
    }
}

TEST_F(Trace, UnwritableTraceFileIsReportedAndTheDumpGoesOn)
{
    const ChildResult dump = RunEmu({{"LPTDUMP_EMU_TRACE", "no-such-folder/trace.vcd"}});

    EXPECT_EQ(dump.output, "Filename: 64K\n");
    EXPECT_EQ(dump.errors, "emulated adapter: trace file no-such-folder/trace.vcd: No such file or directory\n");
    EXPECT_EQ(dump.exitStatus, 0);
    EXPECT_TRUE(ReadImage(scratch / "image.bin") == memory);
}

TEST_F(Trace, WordCountCanBeChosen)
{
    const ChildResult dump = RunEmu({{"LPTDUMP_EMU_TRACE", "trace.vcd"}, {"LPTDUMP_EMU_TRACE_WORDS", "3"}});
    ASSERT_EQ(dump.exitStatus, 0);

    const Dump written = ParseVcd(ReadText(scratch / "trace.vcd"));
    int reads = 0;
    for (const auto& change : written.changes) {
        reads += change.wire == "data_read" && change.time > 0;
    }
    EXPECT_EQ(reads, 6);
}

}  // namespace
