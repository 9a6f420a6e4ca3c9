// A full event stack (201 records, the capacity with no holidays and no groups)
// downloaded against an emulator that takes the wire time of a 19200-baud line
// for every byte in both directions: one header frame and 126 record frames of
// 16 bytes. Compared with the time the bytes alone need on that line plus the
// 50 ms pause the controller needs before the record read.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "protocol/event_stack.h"
#include "tests/support/emulated_line.h"

namespace zm48d {
namespace {

// 10 bits a byte: start, 8 data bits, stop.
constexpr double kSecondsPerByte = 10.0 / 19200.0;
constexpr double kPrescribedWaitS = kStackReadPauseMs / 1000.0;
constexpr int kFullStack = 201;

// Refills the stack (start 0x0020, limit 0x07FA) with 201 records.
void FillStack(testing::EmulatedLine& line) {
  line.emulator.With([](emu::Controller& c) {
    c.eeprom[10] = c.eeprom[8];
    c.eeprom[11] = c.eeprom[9];
    for (int i = 0; i < kFullStack; ++i) {
      const auto n = static_cast<std::uint8_t>(i);
      c.PushEvent({0x00, 0xA1, n, 0x07, 0x12, 0x26, 0x14, 0x05, 0x33, 0x10});
    }
  });
}

// Arg 0: the plain download (header, records, notice); arg 1: as the hidden
// test button runs it, in download mode and with the stack emptied afterwards.
void BM_FullStackDownloadPaced(benchmark::State& state) {
  const bool clearAndBracket = state.range(0) != 0;
  emu::EmulatorOptions paced;
  paced.pace = true;
  testing::EmulatedLine line(paced);
  line.Open();
  long long wireBytes = 0;
  long long frames = 0;
  line.link.observer = [&](FrameDirection direction, std::span<const std::uint8_t> bytes) {
    wireBytes += static_cast<long long>(bytes.size());
    if (direction == FrameDirection::kSent) ++frames;
  };
  double measured = 0;
  double wire = 0;
  std::vector<std::string> lines;
  for (auto _ : state) {
    FillStack(line);
    wireBytes = 0;
    frames = 0;
    const auto start = std::chrono::steady_clock::now();
    const bool ok = DownloadEvents(line.link, clearAndBracket, clearAndBracket, lines);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!ok || lines.size() != kFullStack) {
      state.SkipWithError("download failed");
      break;
    }
    state.SetIterationTime(elapsed.count());
    measured += elapsed.count();
    wire += static_cast<double>(wireBytes) * kSecondsPerByte;
  }
  SerialClose(line.link.serial);
  const double runs = static_cast<double>(state.iterations());
  if (runs == 0) return;
  state.counters["requests"] = static_cast<double>(frames);
  state.counters["wire_bytes"] = static_cast<double>(wireBytes);
  state.counters["wire_s"] = wire / runs;
  state.counters["wait_s"] = kPrescribedWaitS;
  state.counters["measured_s"] = measured / runs;
  // Target: at most 1.05.
  state.counters["ratio"] = measured / (wire + kPrescribedWaitS * runs);
}

BENCHMARK(BM_FullStackDownloadPaced)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace zm48d
