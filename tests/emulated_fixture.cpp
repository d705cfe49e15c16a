#include "tests/emulated_fixture.h"

#include <cstdlib>
#include <sstream>

#include "dump/run_dump.h"
#include "platform/emulated/adapter.h"
#include "port/settle_wait.h"
#include "tests/virtual_counter.h"

namespace {

constexpr char MemoryVariable[] = "LPTDUMP_EMU_MEMORY";

void SetMemoryVariable(const std::string& value)
{
#ifdef _WIN32
    // An empty value removes the variable.
    _putenv_s(MemoryVariable, value.c_str());
#else
    if (value.empty()) {
        unsetenv(MemoryVariable);
    } else {
        setenv(MemoryVariable, value.c_str(), 1);
    }
#endif
}

}  // namespace

void EmulatedFixture::SetUp()
{
    ScratchFixture::SetUp();
    TicksPerMicrosecond = 0;
    TheVirtualCounter = VirtualCounter{};
    SetMemoryVariable("");
    TheEmulatedAdapter.onAccess = [this](const PortAccess& access) {
        ++(access.isWrite ? controlWrites : dataReads);
    };
}

void EmulatedFixture::TearDown()
{
    TheEmulatedAdapter.onAccess = nullptr;
    TheVirtualCounter.onRead = nullptr;
    TheEmulatedAdapter.Close();
    SetMemoryVariable("");
    ScratchFixture::TearDown();
}

void EmulatedFixture::UseMemory(const Words& memory)
{
    const auto path = scratch / "memory.bin";
    WriteWords(path, memory);
    UseMemoryFile(path);
}

void EmulatedFixture::UseMemoryFile(const std::filesystem::path& path)
{
    SetMemoryVariable(path.string());
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
