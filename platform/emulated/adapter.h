// The adapter on the parallel port and the port's data and control registers,
// emulated strictly enough that a program breaking the protocol or its
// timing reads a wrong image.
//
// The adapter holds a word address. Its data lines show the high byte of the
// word there while Select In is low (control bit 3 set) and the low byte while
// it is high; a falling control bit 1 (Auto Linefeed rising at the connector)
// sets the address to 0, a falling bit 0 (Strobe) advances it by one. After a
// control write the lines keep showing what they showed until a microsecond
// has passed on the performance counter.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/emulated/line_trace.h"
#include "platform/emulated/memory.h"

struct PortAccess {
    bool isWrite;
    std::uint16_t port;
    std::uint32_t value;  // written, or read (when accepted)
    std::uint8_t size;
    bool accepted;
};

class EmulatedAdapter {
public:
    bool Open();
    void Close();
    bool Read(std::uint16_t port, std::uint32_t* value, std::uint8_t size);
    bool Write(std::uint16_t port, std::uint32_t value, std::uint8_t size);

    // The emulator's only sense of time: every performance counter value the
    // program is handed, in the order handed out.
    void SeeCounter(std::int64_t ticks, std::int64_t ticksPerSecond);

    // Called on every port access, accepted or not.
    std::function<void(const PortAccess&)> onAccess;

private:
    std::uint8_t DrivenLines();
    std::uint8_t VisibleLines() const;
    void CommitSettledLines();
    std::int64_t TraceTime(std::int64_t ticks);

    EmulatedMemory memory_;
    bool open_ = false;
    std::uint64_t address_ = 0;
    std::uint8_t control_ = 0;
    std::uint8_t shownLines_ = 0;

    // What the lines change to once settled, and the first counter value
    // seen after the control write that caused it.
    std::optional<std::uint8_t> pendingLines_;
    std::optional<std::int64_t> pendingSince_;

    std::int64_t lastCounter_ = 0;
    std::int64_t counterFrequency_ = 0;
    std::int64_t settleTicks_ = 1;

    // The trace runs on the counter's time, from its first value seen.
    LineTrace trace_;
    std::optional<std::int64_t> traceStart_;
};

// The one emulated adapter of the process.
extern EmulatedAdapter TheEmulatedAdapter;
