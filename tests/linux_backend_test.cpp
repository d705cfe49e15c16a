#include <gtest/gtest.h>

#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <functional>

#include "platform/winio.h"
#include "tests/emulated_fixture.h"
#include "tests/fake_parport_kernel.h"

namespace {

constexpr unsigned Bidirectional = PARPORT_MODE_PCSPP | PARPORT_MODE_TRISTATE;

class LinuxBackend : public EmulatedFixture {
protected:
    void SetUp() override
    {
        EmulatedFixture::SetUp();
        kernel.ports = {{0, 888, Bidirectional}};
        systemKernel = TheKernel;
        TheKernel = &kernel;
    }

    void TearDown() override
    {
        ShutdownWinIo();
        TheKernel = systemKernel;
        EmulatedFixture::TearDown();
    }

    std::ptrdiff_t FirstCall(const std::string& call) const
    {
        return std::find(kernel.calls.begin(), kernel.calls.end(), call) - kernel.calls.begin();
    }

    FakeParportKernel kernel;
    Kernel* systemKernel = nullptr;
};

TEST_F(LinuxBackend, CapturesThroughTheDeviceClaimedFirstAndReleasedLast)
{
    const Words memory = RandomWords(0x8000, 51);
    UseMemory(memory);

    const DumpOutcome outcome = Dump("image.bin\n");

    EXPECT_EQ(outcome.console, "Filename: 64K\n");
    EXPECT_TRUE(ReadImage(scratch / "image.bin") == memory);

    const auto& calls = kernel.calls;
    ASSERT_GE(calls.size(), 8u);
    const std::vector<std::string> start(calls.begin(), calls.begin() + 8);
    EXPECT_EQ(start, (std::vector<std::string>{"open /dev/parport0", "PPEXCL", "PPCLAIM", "PPGETMODES", "PPDATADIR 1",
                                               "PPWCONTROL 0B", "PPWCONTROL 09", "PPWCONTROL 0B"}));
    EXPECT_LT(FirstCall("PPDATADIR 1"), FirstCall("PPRDATA"));
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "PPDATADIR 1"), 1) << "the direction never changes again";
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "PPRDATA"), 2 * 2 * 0x8000);
    EXPECT_EQ(kernel.refusedBeforeClaim, 0);
    EXPECT_EQ(kernel.disallowedControlBits, 0);
    const std::vector<std::string> end(calls.end() - 2, calls.end());
    EXPECT_EQ(end, (std::vector<std::string>{"PPRELEASE", "close"}));
}

struct PortChoiceCase {
    std::string name;
    std::vector<FakePort> ports;
    std::string device;
};

void PrintTo(const PortChoiceCase& testCase, std::ostream* out)
{
    *out << testCase.name;
}

class PortChoice : public LinuxBackend, public ::testing::WithParamInterface<PortChoiceCase> {};

TEST_P(PortChoice, PortAt0x378OrElseTheFirst)
{
    kernel.ports = GetParam().ports;
    InitializeWinIo();
    ASSERT_FALSE(kernel.calls.empty());
    EXPECT_EQ(kernel.calls.front(), "open " + GetParam().device);
}

INSTANTIATE_TEST_SUITE_P(
    Ports, PortChoice,
    ::testing::Values(PortChoiceCase{"NoPortsListed", {}, "/dev/parport0"},
                      PortChoiceCase{"OnlyAnotherAddress", {{0, 0xEC00, Bidirectional}}, "/dev/parport0"},
                      PortChoiceCase{"SecondPortAt0x378", {{0, 0xEC00, Bidirectional}, {1, 888, Bidirectional}}, "/dev/parport1"},
                      PortChoiceCase{"LowestNumberFirst", {{10, 888, Bidirectional}, {2, 888, Bidirectional}}, "/dev/parport2"}),
    [](const auto& info) { return info.param.name; });

struct StartFailure {
    std::string name;
    std::function<void(FakeParportKernel&)> arrange;
    std::string line;
};

void PrintTo(const StartFailure& testCase, std::ostream* out)
{
    *out << testCase.name;
}

const std::string NoDevice = "no such device (no parallel port, or the ppdev module is not loaded: modprobe ppdev)";

const StartFailure StartFailureCases[] = {
    {"PermissionDenied", [](auto& kernel) { kernel.openErrors["/dev/parport0"] = EACCES; },
     "cannot open: permission denied (add the user to the lp group, then log in again)"},
    {"NoDeviceNode",
     [](auto& kernel) {
         kernel.ports.clear();
         kernel.openErrors["/dev/parport0"] = ENOENT;
     },
     "cannot open: " + NoDevice},
    {"DeviceNodeWithoutPort", [](auto& kernel) { kernel.ports.clear(); }, "cannot claim: " + NoDevice},
    {"HeldByAnotherDriver", [](auto& kernel) { kernel.claimError = ENXIO; },
     "cannot claim: busy (another driver such as lp, or another program, holds the port)"},
    {"NotBidirectional", [](auto& kernel) { kernel.ports = {{0, 888, PARPORT_MODE_PCSPP}}; },
     "cannot read its data lines: not bidirectional (set the port to PS/2, EPP or ECP mode in the firmware setup)"},
};

class StartFailures : public LinuxBackend, public ::testing::WithParamInterface<StartFailure> {};

TEST_P(StartFailures, RefusedWithOneLineOnStandardErrorAndTheDeviceClosed)
{
    UseMemory({0x1234});
    GetParam().arrange(kernel);
    ::testing::internal::CaptureStderr();

    const DumpOutcome outcome = Dump("image.bin\n");

    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "lptdump: /dev/parport0: " + GetParam().line + "\n");
    EXPECT_EQ(outcome.console, "Unable to initialise WinIo library\n");
    EXPECT_EQ(outcome.exitStatus, 0);
    const bool opened = kernel.calls.size() > 1;
    if (opened) {
        EXPECT_EQ(kernel.calls.back(), "close");
    }
    std::uint32_t value = 0;
    EXPECT_FALSE(GetPortVal(0x378, &value, 1));
}

INSTANTIATE_TEST_SUITE_P(Reasons, StartFailures, ::testing::ValuesIn(StartFailureCases),
                         [](const auto& info) { return info.param.name; });

TEST_F(LinuxBackend, FailedRequestsAndOtherRegistersReturnFalse)
{
    UseMemory({0x1234});
    ASSERT_TRUE(InitializeWinIo());
    const std::size_t callsAfterStart = kernel.calls.size();
    std::uint32_t value = 0xDEAD;
    EXPECT_FALSE(GetPortVal(0x379, &value, 1));
    EXPECT_FALSE(GetPortVal(0x378, &value, 2));
    EXPECT_FALSE(SetPortVal(0x378, 0x2B, 1));
    EXPECT_FALSE(SetPortVal(0x37A, 0x2B, 2));
    EXPECT_EQ(kernel.calls.size(), callsAfterStart) << "refused without asking the driver";

    kernel.requestErrors[PPRDATA] = EIO;
    kernel.requestErrors[PPWCONTROL] = EIO;
    EXPECT_FALSE(GetPortVal(0x378, &value, 1));
    EXPECT_FALSE(SetPortVal(0x37A, 0x2B, 1));
    EXPECT_EQ(value, 0xDEADu);
}

}  // namespace
