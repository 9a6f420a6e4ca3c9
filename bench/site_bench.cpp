// A site of eight controllers, each on its own paced line, against the same
// work on one controller alone: a full send (49 holidays, 65 groups, 999 tags)
// and the harvest of a full stack (201 records) into one SQLite file. Each
// controller has a thread and a line of its own, so eight should take about as
// long as one. Target: the eight at most 1.10 times the one.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/pty_emulator.h"
#include "site/site_harvest.h"
#include "site/site_run.h"
#include "site/site_tasks.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d {
namespace {

constexpr int kSiteSize = 8;
constexpr int kFullStack = 201;

struct Quiet final : site::SiteObserver {
  void Progress(std::size_t, std::string_view) override {}
  void Finished(std::size_t, const site::ControllerOutcome&) override {}
};

// `count` paced emulators and a site that reaches each by its device path,
// every controller given the same full files.
class PacedSite {
 public:
  explicit PacedSite(int count) {
    const auto [holidays, groups, tags] = testing::WriteLargestConfiguration(dir_);
    for (int i = 0; i < count; ++i) {
      emulators.push_back(std::make_unique<emu::PtyEmulator>(testing::PacedEmulator()));
      site::SiteController c;
      c.name = "porta" + std::to_string(i + 1);
      c.port = emulators.back()->TerminalPath();
      c.holidays = holidays;
      c.groups = groups;
      c.tags = tags;
      site.controllers.push_back(c);
    }
  }

  // Seconds for `task` on every controller; a negative time when any failed.
  double Run(const site::ControllerTask& task) {
    Quiet quiet;
    const auto start = std::chrono::steady_clock::now();
    const auto outcomes = site::RunOnEveryController(site, task, quiet);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    for (const auto& outcome : outcomes) {
      if (!outcome.ok) return -1;
    }
    return elapsed.count();
  }

  void FillStacks(int round) {
    for (auto& emulator : emulators) {
      emulator->With([round](emu::Controller& c) {
        for (int i = 0; i < kFullStack; ++i) {
          const auto tag = static_cast<std::uint32_t>(round * kFullStack + i);
          c.PushEvent({static_cast<std::uint8_t>(tag >> 16), static_cast<std::uint8_t>(tag >> 8),
                       static_cast<std::uint8_t>(tag), 0x07, 0x12, 0x26, 0x14, 0x05, 0x33, 0x10});
        }
      });
    }
  }

  testing::TempDir dir_;
  std::vector<std::unique_ptr<emu::PtyEmulator>> emulators;
  site::Site site;
};

// Reports each run's time for one controller alone and for the eight, and
// their ratio. `prepare(site, round)` runs before each timed run, outside it.
template <class Prepare>
void CompareOneWithEight(benchmark::State& state, const site::ControllerTask& task,
                         Prepare prepare) {
  PacedSite one(1), eight(kSiteSize);
  double oneS = 0, eightS = 0;
  int round = 0;
  for (auto _ : state) {
    prepare(one, round);
    const double single = one.Run(task);
    prepare(eight, round);
    const double all = eight.Run(task);
    ++round;
    if (single < 0 || all < 0) {
      state.SkipWithError("a controller failed");
      return;
    }
    oneS += single;
    eightS += all;
    state.SetIterationTime(all);
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["one_s"] = oneS / runs;
  state.counters["eight_s"] = eightS / runs;
  state.counters["ratio"] = eightS / oneS;
}

void BM_SiteSendEightPaced(benchmark::State& state) {
  CompareOneWithEight(state, site::SendTask(false), [](PacedSite&, int) {});
}
BENCHMARK(BM_SiteSendEightPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// Every controller's harvest into the same SQLite file: the store's lock
// orders the commits, and each commit is short next to the line's time.
void BM_SiteHarvestEightPaced(benchmark::State& state) {
  testing::TempDir dir;
  const site::ControllerTask task = site::HarvestTask(dir.Path("eventos.db"));
  CompareOneWithEight(state, task, [](PacedSite& site, int round) { site.FillStacks(round); });
}
BENCHMARK(BM_SiteHarvestEightPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace zm48d
