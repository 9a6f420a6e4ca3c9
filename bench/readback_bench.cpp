// Reading back a full configuration (49 holidays, 65 groups, 999 tags) from an
// emulator that takes the wire time of a 19200-baud line for every byte in
// both directions: the read alone, the backup (the read, then the three files)
// and the verify of the files the controller was loaded from. Compared with the time the bytes
// alone need on that line, counted from the frames that crossed it; no waits are prescribed between
// these frames.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <string_view>

#include "bench/wire_timing.h"
#include "operations/controller_backup.h"
#include "operations/controller_readback.h"
#include "operations/controller_verify.h"
#include "operations/send_sequence.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d {
namespace {

struct Collect final : ops::Notices {
  std::string texts;
  void Show(ops::Tone, std::string_view text) override { texts += std::string(text) + " "; }
};

using Operation = std::function<bool(const ops::Session&, const ops::ConfigurationFiles&,
                                     const testing::TempDir&)>;

// Loads the paced emulator with the full configuration once, then times
// `operation` (true when it did what it should) against the wire.
void RunPaced(benchmark::State& state, const Operation& operation) {
  testing::EmulatedLine line(testing::PacedEmulator());
  testing::TempDir dir;
  const auto [holidays, groups, tags] = testing::WriteLargestConfiguration(dir);
  const ops::ConfigurationFiles files{holidays, groups, tags};
  Collect collect;
  const ops::Session session{line.link, testing::kEmulatorPort, collect};
  const ops::SendResult sent = ops::RunSendSequence(session, files);
  if (sent.rules != ops::StageOutcome::kSent || sent.tags != ops::StageOutcome::kSent) {
    state.SkipWithError(("send failed: " + collect.texts).c_str());
    return;
  }

  WireTiming timing(line.link);
  for (auto _ : state) {
    collect.texts.clear();
    timing.Start();
    if (!operation(session, files, dir)) {
      state.SkipWithError(("read-back failed: " + collect.texts).c_str());
      break;
    }
    timing.Stop(state);
  }
  // Target: at most 1.01.
  timing.Report(state);
}

// The read itself: header, both tables, configuration block, 42 tag pages.
void BM_FullReadBackPaced(benchmark::State& state) {
  RunPaced(state, [](const ops::Session& session, const ops::ConfigurationFiles&,
                     const testing::TempDir&) {
    return ops::ReadControllerBack(session, {}).has_value();
  });
}

// The read and the three files, each flushed to the disk before it replaces
// the old one: the disk's time comes on top of the wire's.
void BM_FullBackupPaced(benchmark::State& state) {
  RunPaced(state, [](const ops::Session& session, const ops::ConfigurationFiles&,
                     const testing::TempDir& dir) {
    return ops::BackupController(session,
                                 {dir.Path("copia-feriados.txt"), dir.Path("copia-grupos.txt"),
                                  dir.Path("copia-lista.txt")});
  });
}

void BM_FullVerifyPaced(benchmark::State& state) {
  RunPaced(state, [](const ops::Session& session, const ops::ConfigurationFiles& files,
                     const testing::TempDir&) {
    return ops::VerifyController(session, files).outcome == ops::VerifyOutcome::kEqual;
  });
}

BENCHMARK(BM_FullReadBackPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_FullBackupPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FullVerifyPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace zm48d
