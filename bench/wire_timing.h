#pragma once
// The figures of a benchmark over the paced emulator: how long each run took
// next to the time its bytes need on a 19200-baud line, counted from every
// frame that crossed the link in either direction.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <span>

#include "protocol/link_state.h"

namespace zm48d {

class WireTiming {
 public:
  // Counts the frames of `link` from now on.
  explicit WireTiming(LinkState& link) {
    link.observer = [this](FrameDirection, std::span<const std::uint8_t> bytes) {
      bytes_ += static_cast<long long>(bytes.size());
    };
  }

  void Start() {
    bytes_ = 0;
    start_ = std::chrono::steady_clock::now();
  }
  // Ends a run: its time is the iteration's time.
  void Stop(benchmark::State& state) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
    state.SetIterationTime(elapsed.count());
    measured_ += elapsed.count();
    wire_ += static_cast<double>(bytes_) * kSecondsPerByte;
  }
  // wire_bytes, wire_s and measured_s a run, and ratio: the measured time over
  // the wire time plus `prescribedWaitS` a run.
  void Report(benchmark::State& state, double prescribedWaitS = 0) const {
    const double runs = static_cast<double>(state.iterations());
    if (runs == 0 || wire_ == 0) return;
    state.counters["wire_bytes"] = static_cast<double>(bytes_);
    state.counters["wire_s"] = wire_ / runs;
    state.counters["measured_s"] = measured_ / runs;
    state.counters["ratio"] = measured_ / (wire_ + prescribedWaitS * runs);
  }

 private:
  // 10 bits a byte: start, 8 data bits, stop.
  static constexpr double kSecondsPerByte = 10.0 / 19200.0;

  long long bytes_ = 0;
  std::chrono::steady_clock::time_point start_;
  double measured_ = 0;
  double wire_ = 0;
};

}  // namespace zm48d
