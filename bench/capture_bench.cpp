// A 4 MiB capture through lptdump-emu on the real clock, side by side with the
// floor the protocol allows: a bare loop of the same number of settle waits on
// the same counter. Also the peak resident memory of the capture beside that
// of a run refused at start-up.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "port/settle_wait.h"
#include "tests/child_process.h"
#include "tests/words.h"

namespace {

constexpr std::size_t CaptureWords = 64 * 0x8000;
constexpr std::size_t SettleWaits = 3 + 4 * CaptureWords;

double Seconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

double SettleFloorSeconds()
{
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t wait = 0; wait < SettleWaits; ++wait) {
        WaitMicroseconds(1);
    }
    return Seconds(std::chrono::steady_clock::now() - start);
}

void CaptureAgainstSettleFloor(benchmark::State& state)
{
    std::string folder = (std::filesystem::temp_directory_path() / "lptdump-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("no scratch folder");
        return;
    }
    const std::string memory = folder + "/memory.bin";
    WriteWords(memory, RandomWords(CaptureWords, 1));
    const ChildOptions capture{{LPTDUMP_EMU_PATH}, "image.bin\n", folder, {{"LPTDUMP_EMU_MEMORY", memory}}};
    const ChildOptions refused{{LPTDUMP_EMU_PATH}, "", folder, {{"LPTDUMP_EMU_MEMORY", folder + "/missing"}}};

    for (auto _ : state) {
        const double floor = SettleFloorSeconds();
        const auto start = std::chrono::steady_clock::now();
        const ChildResult captured = RunChild(capture);
        const double captureSeconds = Seconds(std::chrono::steady_clock::now() - start);
        const ChildResult refusal = RunChild(refused);

        if (captured.exitStatus != 0 || std::filesystem::file_size(folder + "/image.bin") != 2 * CaptureWords) {
            state.SkipWithError("the capture did not write a 4 MiB image");
            break;
        }
        state.SetIterationTime(captureSeconds);
        state.counters["floor_s"] = floor;
        state.counters["capture_s"] = captureSeconds;
        state.counters["capture/floor"] = captureSeconds / floor;
        state.counters["rss_capture_KiB"] = static_cast<double>(captured.maxResidentKiB);
        state.counters["rss_refused_KiB"] = static_cast<double>(refusal.maxResidentKiB);
        state.counters["rss_above_KiB"] = static_cast<double>(captured.maxResidentKiB - refusal.maxResidentKiB);
    }
    std::filesystem::remove_all(folder);
}

BENCHMARK(CaptureAgainstSettleFloor)->Iterations(1)->Repetitions(3)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
