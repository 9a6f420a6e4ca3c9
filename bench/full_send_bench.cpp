// "Enviar para o aparelho" at its largest: 49 holidays, 65 groups and 999 tags
// through the send sequence, against an emulator that takes the wire time of a
// 19200-baud line for every byte in both directions. Compared with the time the
// bytes alone need on that line, counted from the frames that crossed it.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "bench/wire_timing.h"
#include "operations/send_sequence.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d {
namespace {

void BM_FullSendPaced(benchmark::State& state) {
  testing::EmulatedLine line(testing::PacedEmulator());
  testing::TempDir dir;
  const auto [holidays, groups, tags] = testing::WriteLargestConfiguration(dir);
  const ops::SendPaths paths{holidays, groups, tags};
  WireTiming timing(line.link);
  struct Collect final : ops::Notices {
    std::string failures;
    void Show(ops::Tone, std::string_view text) override { failures += std::string(text) + " "; }
  } collect;
  const ops::Session session{line.link, testing::kEmulatorPort, collect};

  for (auto _ : state) {
    timing.Start();
    const ops::SendResult result = ops::RunSendSequence(session, paths);
    using ops::StageOutcome;
    if (result.rules != StageOutcome::kSent || result.tags != StageOutcome::kSent ||
        !result.notified) {
      state.SkipWithError(("send failed: " + collect.failures).c_str());
      break;
    }
    timing.Stop(state);
  }
  // Target: at most 1.05 (no waits are prescribed between these frames).
  timing.Report(state);
}

BENCHMARK(BM_FullSendPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace zm48d
