// The harvest of a full event stack (201 records) into a SQLite store, against
// an emulator that takes the wire time of a 19200-baud line for every byte, and
// a history query by tag and dates over a million stored events.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench/wire_timing.h"
#include "operations/event_harvest.h"
#include "protocol/bcd.h"
#include "protocol/event_stack.h"
#include "store/event_store.h"
#include "tests/support/emulated_line.h"
#include "tests/support/temp_dir.h"

namespace zm48d {
namespace {

constexpr int kFullStack = 201;
constexpr double kPrescribedWaitS = kStackReadPauseMs / 1000.0;

struct Silent final : ops::Notices {
  std::string failures;
  void Show(ops::Tone tone, std::string_view text) override {
    if (tone == ops::Tone::kFailure) failures += std::string(text) + " ";
  }
};

void FillStack(testing::EmulatedLine& line, int round) {
  line.emulator.With([round](emu::Controller& c) {
    for (int i = 0; i < kFullStack; ++i) {
      const auto tag = static_cast<std::uint32_t>(round * kFullStack + i);
      c.PushEvent({static_cast<std::uint8_t>(tag >> 16), static_cast<std::uint8_t>(tag >> 8),
                   static_cast<std::uint8_t>(tag), 0x07, 0x12, 0x26, 0x14, 0x05, 0x33, 0x10});
    }
  });
}

// Header, 126 record frames, the emptying (header read and write), the notice
// and the download bracket; the store's commit is inside the measured time.
// Target: at most 1.01 times the wire time plus the 50 ms pause, plus 50 ms.
void BM_HarvestFullStackPaced(benchmark::State& state) {
  testing::EmulatedLine line(testing::PacedEmulator());
  testing::TempDir dir;
  auto opened = store::OpenEventStore(dir.Path("events.db"));
  if (!opened.ok()) {
    state.SkipWithError(opened.error().c_str());
    return;
  }
  const std::unique_ptr<store::EventStore> eventStore = std::move(opened.value());
  WireTiming timing(line.link);
  Silent silent;
  const ops::Session session{line.link, testing::kEmulatorPort, silent};
  int round = 0;
  for (auto _ : state) {
    FillStack(line, round++);
    timing.Start();
    const ops::HarvestResult result = ops::HarvestEvents(session, *eventStore, "COM1", false);
    if (!result.ok() || result.stored != kFullStack) {
      state.SkipWithError(("harvest failed: " + silent.failures).c_str());
      break;
    }
    timing.Stop(state);
  }
  timing.Report(state, kPrescribedWaitS);
}

BENCHMARK(BM_HarvestFullStackPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// A million events of 10 000 tags over 100 days, stored once (about a minute
// the first time), then one tag over ten days asked for. Target: under 100 ms.
constexpr int kTags = 10000;
constexpr int kHarvests = 5000;
constexpr int kRecordsPerHarvest = 200;

std::vector<std::uint8_t> GeneratedRecords(int harvest) {
  std::vector<std::uint8_t> records;
  for (int i = 0; i < kRecordsPerHarvest; ++i) {
    const int n = harvest * kRecordsPerHarvest + i;
    const auto tag = static_cast<std::uint32_t>(n % kTags);
    const int day = n / (kHarvests * kRecordsPerHarvest / 100);  // 0..99
    const std::uint8_t record[] = {static_cast<std::uint8_t>(tag >> 16),
                                   static_cast<std::uint8_t>(tag >> 8),
                                   static_cast<std::uint8_t>(tag),
                                   ToBcd(day % 28 + 1),
                                   ToBcd(day / 28 + 1),
                                   0x26,
                                   ToBcd(i % 24),
                                   0x00,
                                   0x00,
                                   static_cast<std::uint8_t>(i % 2 ? 0x10 : 0x41)};
    records.insert(records.end(), std::begin(record), std::end(record));
  }
  return records;
}

void BM_HistoryByTagAndDatesOverAMillion(benchmark::State& state) {
  static testing::TempDir dir;
  const std::string path = dir.Path("million.db");
  auto opened = store::OpenEventStore(path);
  if (!opened.ok()) {
    state.SkipWithError(opened.error().c_str());
    return;
  }
  const std::unique_ptr<store::EventStore> eventStore = std::move(opened.value());
  static bool filled = false;
  if (!filled) {
    for (int h = 0; h < kHarvests; ++h) {
      const auto records = GeneratedRecords(h);
      // A new start each time, so that no earlier harvest is taken for this one.
      if (!eventStore->StoreHarvest("portaria", h, h + 2000, records).ok()) {
        state.SkipWithError("filling the store failed");
        return;
      }
    }
    filled = true;
  }
  store::HistoryFilter filter;
  filter.tag = 4321;
  filter.from = "2026-02-01";
  filter.to = "2026-02-10";
  std::size_t rows = 0;
  for (auto _ : state) {
    const auto events = eventStore->Query(filter);
    if (!events.ok()) {
      state.SkipWithError(events.error().c_str());
      break;
    }
    rows = events.value().size();
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["stored"] = static_cast<double>(kHarvests) * kRecordsPerHarvest;
}

BENCHMARK(BM_HistoryByTagAndDatesOverAMillion)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace zm48d
