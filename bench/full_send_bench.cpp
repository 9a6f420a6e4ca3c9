// "Enviar para o aparelho" at its largest: 49 holidays, 65 groups and 999 tags
// through the send sequence, against an emulator that takes the wire time of a
// 19200-baud line for every byte in both directions. Compared with the time the
// bytes alone need on that line, counted from the frames that crossed it.
#include <benchmark/benchmark.h>

#include <chrono>

#include "operations/send_sequence.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d {
namespace {

// 10 bits a byte: start, 8 data bits, stop.
constexpr double kSecondsPerByte = 10.0 / 19200.0;

void BM_FullSendPaced(benchmark::State& state) {
  emu::EmulatorOptions paced;
  paced.pace = true;
  testing::EmulatedLine line(paced);
  testing::TempDir dir;
  const ops::SendPaths paths{dir.Write("feriados.txt", testing::SampleHolidays(49)),
                        dir.Write("grupos.txt", testing::SampleGroups(65)), dir.Write("lista.txt", testing::SampleTags(999))};
  long long wireBytes = 0;
  line.link.observer = [&](FrameDirection, std::span<const std::uint8_t> bytes) {
    wireBytes += static_cast<long long>(bytes.size());
  };
  struct Collect final : ops::Notices {
    std::string failures;
    void Show(ops::Tone, std::string_view text) override { failures += std::string(text) + " "; }
  } collect;
  const ops::Session session{line.link, testing::kEmulatorPort, collect};

  double measured = 0;
  double wire = 0;
  for (auto _ : state) {
    wireBytes = 0;
    const auto start = std::chrono::steady_clock::now();
    const ops::SendResult result = ops::RunSendSequence(session, paths);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    using ops::StageOutcome;
    if (result.rules != StageOutcome::kSent || result.tags != StageOutcome::kSent || !result.notified) {
      state.SkipWithError(("send failed: " + collect.failures).c_str());
      break;
    }
    state.SetIterationTime(elapsed.count());
    measured += elapsed.count();
    wire += static_cast<double>(wireBytes) * kSecondsPerByte;
  }
  const double runs = static_cast<double>(state.iterations());
  if (runs == 0) return;
  state.counters["wire_bytes"] = static_cast<double>(wireBytes);
  state.counters["wire_s"] = wire / runs;
  state.counters["measured_s"] = measured / runs;
  // Target: at most 1.05 (no waits are prescribed between these frames).
  state.counters["ratio"] = measured / wire;
}

BENCHMARK(BM_FullSendPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace zm48d
