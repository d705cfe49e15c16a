#include "platform/emulated/line_trace.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "platform/emulated/control_bits.h"

using namespace control_bits;

namespace {

// The connector's view of the control register: bits 0, 1 and 3 are inverted
// on their way to pins 1, 14 and 17; bit 2 (pin 16) is not.
struct ControlLine {
    char id;
    const char* name;
    std::uint8_t bit;
    bool inverted;
};

constexpr ControlLine ControlLines[] = {
    {'s', "strobe_pin1", Strobe, true},
    {'a', "auto_linefeed_pin14", AutoLinefeed, true},
    {'i', "initialize_pin16", Initialize, false},
    {'l', "select_in_pin17", SelectIn, true},
};

// Not lines at the connector: the port's data direction (1: the data lines
// are inputs) and a wire that toggles at every read of the data lines.
constexpr char DirectionId = 'r';
constexpr char ReadId = 'x';

// Data lines D0 to D7 on pins 2 to 9.
constexpr char DataIds[] = "01234567";

bool Level(const ControlLine& line, std::uint8_t control)
{
    return ((control & line.bit) != 0) != line.inverted;
}

long WordsToTrace()
{
    const char* text = std::getenv("LPTDUMP_EMU_TRACE_WORDS");
    if (text == nullptr) {
        return 16;
    }
    char* end = nullptr;
    errno = 0;
    const long words = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || words < 0 || errno != 0) {
        std::cerr << "emulated adapter: LPTDUMP_EMU_TRACE_WORDS=" << text
                  << " is not a number of words; tracing 16" << std::endl;
        return 16;
    }
    return words;
}

}  // namespace

void LineTrace::Open(std::uint8_t control, std::uint8_t data)
{
    Close();
    path_ = std::getenv("LPTDUMP_EMU_TRACE");
    if (path_ == nullptr) {
        return;
    }
    file_ = std::fopen(path_, "wb");  // LF line ends on every system
    if (file_ == nullptr) {
        std::cerr << "emulated adapter: trace file " << path_ << ": " << std::strerror(errno) << std::endl;
        return;
    }
    wordsToTrace_ = WordsToTrace();
    started_ = false;
    steps_ = 0;
    lastTime_ = 0;
    control_ = control;
    data_ = data;
    readToggle_ = false;

    std::fputs("$version lptdump-emu emulated adapter $end\n$timescale 1ns $end\n$scope module parallel_port $end\n",
               file_);
    for (const auto& line : ControlLines) {
        std::fprintf(file_, "$var wire 1 %c %s $end\n", line.id, line.name);
    }
    std::fprintf(file_, "$var wire 1 %c direction_input $end\n", DirectionId);
    for (int bit = 0; bit < 8; ++bit) {
        std::fprintf(file_, "$var wire 1 %c d%d_pin%d $end\n", DataIds[bit], bit, bit + 2);
    }
    std::fprintf(file_, "$var wire 1 %c data_read $end\n", ReadId);
    std::fputs("$upscope $end\n$enddefinitions $end\n#0\n$dumpvars\n", file_);
    for (const auto& line : ControlLines) {
        Wire(line.id, Level(line, control));
    }
    Wire(DirectionId, (control & InputDirection) != 0);
    for (int bit = 0; bit < 8; ++bit) {
        Wire(DataIds[bit], (data >> bit & 1) != 0);
    }
    Wire(ReadId, false);
    std::fputs("$end\n", file_);
}

void LineTrace::Stamp(std::int64_t time)
{
    if (time > lastTime_) {
        lastTime_ = time;
        std::fprintf(file_, "#%lld\n", static_cast<long long>(time));
    }
}

void LineTrace::Wire(char id, bool level)
{
    std::fprintf(file_, "%c%c\n", level ? '1' : '0', id);
}

void LineTrace::Control(std::int64_t time, std::uint8_t control)
{
    if (!IsOn() || control == control_) {
        return;
    }
    Stamp(time);
    for (const auto& line : ControlLines) {
        if (Level(line, control) != Level(line, control_)) {
            Wire(line.id, Level(line, control));
        }
    }
    if ((control ^ control_) & InputDirection) {
        Wire(DirectionId, (control & InputDirection) != 0);
    }

    if (Fell(control_, control, AutoLinefeed)) {
        started_ = true;
        steps_ = 0;
    } else if (started_ && Fell(control_, control, Strobe)) {
        ++steps_;
    }
    // Done once the last traced pulse is over: the step after the last word,
    // or the start pulse itself when no word is traced.
    const bool lastPulseOver =
        started_ && steps_ == wordsToTrace_ && Rose(control_, control, wordsToTrace_ == 0 ? AutoLinefeed : Strobe);
    control_ = control;
    if (lastPulseOver) {
        Close();
    }
}

void LineTrace::Data(std::int64_t time, std::uint8_t data)
{
    if (!IsOn() || data == data_) {
        return;
    }
    Stamp(time);
    for (int bit = 0; bit < 8; ++bit) {
        if ((data ^ data_) >> bit & 1) {
            Wire(DataIds[bit], (data >> bit & 1) != 0);
        }
    }
    data_ = data;
}

void LineTrace::Read(std::int64_t time)
{
    if (!IsOn()) {
        return;
    }
    Stamp(time);
    readToggle_ = !readToggle_;
    Wire(ReadId, readToggle_);
}

void LineTrace::Close()
{
    if (file_ == nullptr) {
        return;
    }
    // A last microsecond, so that viewers show the final levels too.
    Stamp(lastTime_ + 1000);
    const bool written = std::ferror(file_) == 0;
    if (std::fclose(file_) != 0 || !written) {
        std::cerr << "emulated adapter: trace file " << path_ << ": writing failed" << std::endl;
    }
    file_ = nullptr;
}
