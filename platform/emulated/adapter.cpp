#include "platform/emulated/adapter.h"

#include <algorithm>

#include "platform/emulated/control_bits.h"

using namespace control_bits;

namespace {

constexpr std::uint16_t DataRegister = 0x378;
constexpr std::uint16_t ControlRegister = 0x37A;

// A port comes up driving its data lines, all four control lines at rest.
constexpr std::uint8_t PowerOnControl = 0x0B;

// Where the adapter's counter happens to stand before the first start pulse.
constexpr std::uint64_t PowerOnAddress = 0x2A5A5;

}  // namespace

EmulatedAdapter TheEmulatedAdapter;

bool EmulatedAdapter::Open()
{
    open_ = memory_.Open();
    if (open_) {
        address_ = PowerOnAddress;
        control_ = PowerOnControl;
        shownLines_ = DrivenLines();
        pendingLines_.reset();
        pendingSince_.reset();
        traceStart_.reset();
        trace_.Open(control_, VisibleLines());
    }
    return open_;
}

void EmulatedAdapter::Close()
{
    open_ = false;
    trace_.Close();
    memory_.Close();
}

std::uint8_t EmulatedAdapter::DrivenLines()
{
    const std::uint16_t word = memory_.Word(address_);
    return static_cast<std::uint8_t>((control_ & SelectIn) != 0 ? word >> 8 : word & 0xFF);
}

std::uint8_t EmulatedAdapter::VisibleLines() const
{
    // In the output direction the port reads back its own latch, which this
    // program never writes.
    return (control_ & InputDirection) != 0 ? shownLines_ : 0;
}

void EmulatedAdapter::CommitSettledLines()
{
    if (pendingLines_ && pendingSince_ && lastCounter_ - *pendingSince_ >= settleTicks_) {
        shownLines_ = *pendingLines_;
        if (trace_.IsOn()) {
            trace_.Data(TraceTime(*pendingSince_ + settleTicks_), VisibleLines());
        }
        pendingLines_.reset();
        pendingSince_.reset();
    }
}

std::int64_t EmulatedAdapter::TraceTime(std::int64_t ticks)
{
    // A microsecond at the start shows the lines as they were before the
    // first control write.
    constexpr std::int64_t LeadIn = 1000;
    if (!traceStart_) {
        traceStart_ = ticks;
    }
    if (counterFrequency_ <= 0) {
        return LeadIn;  // no counter value seen yet
    }
    return LeadIn + static_cast<std::int64_t>(static_cast<double>(ticks - *traceStart_) * 1e9 /
                                              static_cast<double>(counterFrequency_));
}

void EmulatedAdapter::SeeCounter(std::int64_t ticks, std::int64_t ticksPerSecond)
{
    lastCounter_ = ticks;
    if (ticksPerSecond != counterFrequency_) {
        counterFrequency_ = ticksPerSecond;
        // A whole microsecond, rounded up to the counter's resolution.
        settleTicks_ = std::max<std::int64_t>(1, (ticksPerSecond + 999999) / 1000000);
    }
    if (pendingLines_ && !pendingSince_) {
        // The first value after a control write: the write is no later than this.
        pendingSince_ = ticks;
        if (trace_.IsOn()) {
            trace_.Control(TraceTime(ticks), control_);
            trace_.Data(TraceTime(ticks), VisibleLines());
        }
    }
}

bool EmulatedAdapter::Read(std::uint16_t port, std::uint32_t* value, std::uint8_t size)
{
    const bool accepted = open_ && port == DataRegister && size == 1;
    if (accepted) {
        CommitSettledLines();
        *value = VisibleLines();
        if (trace_.IsOn()) {
            trace_.Read(TraceTime(lastCounter_));
        }
    }
    if (onAccess) {
        onAccess({false, port, accepted ? *value : 0, size, accepted});
    }
    return accepted;
}

bool EmulatedAdapter::Write(std::uint16_t port, std::uint32_t value, std::uint8_t size)
{
    const bool accepted = open_ && port == ControlRegister && size == 1;
    if (accepted) {
        CommitSettledLines();
        const auto control = static_cast<std::uint8_t>(value);
        if (Fell(control_, control, AutoLinefeed)) {
            address_ = 0;
        }
        if (Fell(control_, control, Strobe)) {
            ++address_;
        }
        control_ = control;
        pendingLines_ = DrivenLines();
        pendingSince_.reset();
    }
    if (onAccess) {
        onAccess({true, port, value, size, accepted});
    }
    return accepted;
}
