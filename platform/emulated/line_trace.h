// A Value Change Dump (IEEE 1364) of the port's lines, as the program drives
// them and as the adapter answers, for holding against a logic analyser's
// capture. Each line is a 1-bit wire named after its connector pin.
#pragma once

#include <cstdint>
#include <cstdio>

class LineTrace {
public:
    // Starts a trace into the file named by LPTDUMP_EMU_TRACE, if set, with
    // the lines as they are now at time 0. A file that cannot be written is
    // reported in one line on standard error, and there is no trace.
    void Open(std::uint8_t control, std::uint8_t data);

    bool IsOn() const { return file_ != nullptr; }

    // Times in nanoseconds since the trace began, never decreasing.
    void Control(std::int64_t time, std::uint8_t control);
    void Data(std::int64_t time, std::uint8_t data);
    void Read(std::int64_t time);

    void Close();

private:
    void Stamp(std::int64_t time);
    void Wire(char id, bool level);

    std::FILE* file_ = nullptr;
    const char* path_ = nullptr;
    std::int64_t lastTime_ = 0;
    std::uint8_t control_ = 0;
    std::uint8_t data_ = 0;
    bool readToggle_ = false;

    // The trace covers the start pulse and this many words after it.
    long wordsToTrace_ = 16;
    bool started_ = false;
    long steps_ = 0;
};
