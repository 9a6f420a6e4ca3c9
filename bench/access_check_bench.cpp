// `zm48d check` at full size: 10 000 reads against 49 holidays, 65 groups and
// 999 tags. The whole command as a user runs it (reading the three files and the
// reads, building the memory image, deciding, printing the table), and the
// decisions alone on a built image. Target: well under a second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run.h"
#include "operations/access_check.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d {
namespace {

constexpr int kTags = 999;
constexpr int kGroups = 65;
constexpr int kReads = 10000;
constexpr int kUnknownEvery = 11;  // about one read in eleven is of a tag not in the list

// Tags 100000.. with door masks 1..F and groups 1..65 in turn.
std::vector<std::string> TagList() {
  std::vector<std::string> lines = {"ZM48D-LISTA", std::to_string(kTags)};
  char line[48];
  for (int i = 0; i < kTags; ++i) {
    std::snprintf(line, sizeof line, "%06X*%02X*%03d*Tag %d", 0x100000 + i, 1 + i % 15,
                  1 + i % kGroups, i);
    lines.emplace_back(line);
  }
  return lines;
}

// Reads spread over the list (an unknown tag now and then, which scans it all),
// the four doors, the days of December 2026 and the hours of the day.
std::vector<std::string> Reads() {
  std::vector<std::string> lines;
  char line[48];
  for (int k = 0; k < kReads; ++k) {
    const int index = k % kUnknownEvery == 0 ? kTags + k : (k * 7919) % kTags;
    std::snprintf(line, sizeof line, "%d %06X %02d/12/26 %02d:%02d:%02d", 1 + k % 4,
                  0x100000 + index, 1 + k % 28, k % 24, (k * 7) % 60, k % 60);
    lines.emplace_back(line);
  }
  return lines;
}

struct Files {
  testing::TempDir dir;
  ops::CheckFiles check{dir.Write("feriados.txt", testing::SampleHolidays(49)),
                        dir.Write("grupos.txt", testing::SampleGroups(kGroups)),
                        dir.Write("lista.txt", TagList())};
  std::string reads = dir.Write("leituras.txt", Reads());
};

void BM_CheckCommand(benchmark::State& state) {
  const Files files;
  const std::vector<std::string> args = {"check",          "--holidays",       files.check.holidays,
                                         "--groups",       files.check.groups, "--tags",
                                         files.check.tags, "--swipes",         files.reads};
  for (auto _ : state) {
    std::ostringstream out, err;
    const int status = cli::RunCommandLine(args, out, err);
    if (status != 3 || !err.str().empty()) {
      state.SkipWithError(("check failed: " + err.str()).c_str());
      break;
    }
    benchmark::DoNotOptimize(out.str().size());
  }
  state.counters["reads"] = kReads;
  state.counters["reads_per_s"] =
      benchmark::Counter(kReads, benchmark::Counter::kIsIterationInvariantRate);
}

struct Silent final : ops::Notices {
  void Show(ops::Tone, std::string_view) override {}
};

void BM_CheckReadsOnly(benchmark::State& state) {
  const Files files;
  Silent silent;
  const auto memory = ops::MemoryAfterSend(files.check, silent);
  const auto reads = ops::LoadReads(files.reads, silent);
  if (!memory || !reads) {
    state.SkipWithError("the files were refused");
    return;
  }
  for (auto _ : state) {
    const ops::CheckOutcome outcome = ops::CheckReads(*memory, *reads);
    benchmark::DoNotOptimize(outcome.records.data());
  }
  state.counters["reads"] = kReads;
  state.counters["reads_per_s"] =
      benchmark::Counter(kReads, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_CheckCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckReadsOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zm48d
