#include "tests/emulated_fixture.h"

#include <cstdlib>
#include <sstream>

#include "dump/run_dump.h"
#include "platform/emulated/adapter.h"
#include "port/settle_wait.h"
#include "tests/virtual_counter.h"

void EmulatedFixture::SetUp()
{
    ScratchFixture::SetUp();
    TicksPerMicrosecond = 0;
    TheVirtualCounter = VirtualCounter{};
    unsetenv("LPTDUMP_EMU_MEMORY");
    TheEmulatedAdapter.onAccess = [this](const PortAccess& access) {
        ++(access.isWrite ? controlWrites : dataReads);
    };
}

void EmulatedFixture::TearDown()
{
    TheEmulatedAdapter.onAccess = nullptr;
    TheVirtualCounter.onRead = nullptr;
    TheEmulatedAdapter.Close();
    unsetenv("LPTDUMP_EMU_MEMORY");
    ScratchFixture::TearDown();
}

void EmulatedFixture::UseMemory(const Words& memory)
{
    const auto path = scratch / "memory.bin";
    WriteWords(path, memory);
    setenv("LPTDUMP_EMU_MEMORY", path.c_str(), 1);
}

DumpOutcome EmulatedFixture::Dump(const std::string& input)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(scratch);
    std::istringstream in(input);
    std::ostringstream console;
    const int status = RunDump(in, console);
    std::filesystem::current_path(previous);
    return {console.str(), status};
}
