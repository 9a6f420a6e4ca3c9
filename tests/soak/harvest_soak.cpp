// Rounds of the real `zm48d harvest` into a SQLite store against a paced
// emulator that records new events all the while (from a thread of its own),
// some rounds killed (SIGKILL) at a random moment. A last harvest, once the
// events stop, must leave every event recorded stored exactly once.
#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "emulator/pty_emulator.h"
#include "protocol/event_record.h"
#include "protocol/hex_text.h"
#include "tests/cli/child_process.h"
#include "tests/soak/soak_settings.h"
#include "tests/support/emulated_line.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kFirstTag = 0x300000;
constexpr int kLatestKillMs = 600;
constexpr auto kAnswerInFlight = 200ms;  // see events_soak.cpp

class HarvestSoak {
 public:
  HarvestSoak() : program_(BuildExecutable("zm48d")), db_(dir_.Path("events.db")) {}

  void Run() {
    std::mt19937 random(Settings().seed);
    std::thread recorder([this] { Record(); });
    for (long round = 0; round < Settings().harvestRounds; ++round) RunRound(random);
    recording_ = false;
    recorder.join();
    std::this_thread::sleep_for(kAnswerInFlight);
    emulator_.With([](emu::Controller& c) { c.LeaveDownloadMode(); });
    const ProcessResult last = Harvest({});
    EXPECT_EQ(last.exitCode, 0) << last.err;
    Check();
  }

 private:
  // An event every 5 to 40 ms, each with a tag of its own.
  void Record() {
    std::mt19937 random(Settings().seed + 1);
    while (recording_) {
      emulator_.With([&](emu::Controller& c) {
        const std::uint32_t tag = kFirstTag + next_;
        if (c.PushEvent(SampleEvent(tag))) {
          ++next_;
        }
      });
      std::this_thread::sleep_for(
          std::chrono::milliseconds(std::uniform_int_distribution<int>(5, 40)(random)));
    }
  }

  ProcessResult Harvest(const RunOptions& options) {
    return RunProgram(
        program_,
        {"--port", emulator_.TerminalPath(), "harvest", "--db", db_, "--controller", "soak"},
        options);
  }

  void RunRound(std::mt19937& random) {
    RunOptions options;
    options.timeout = 20s;
    const bool kill = std::uniform_int_distribution<int>(0, 2)(random) != 0;
    if (kill) {
      options.signals = {
          {std::chrono::milliseconds(std::uniform_int_distribution<int>(0, kLatestKillMs)(random)),
           SIGKILL}};
    }
    const ProcessResult result = Harvest(options);
    ++byEnd_[result.endedBySignal != 0 ? "killed" : "exit " + std::to_string(result.exitCode)];
    if (result.endedBySignal != 0) {
      std::this_thread::sleep_for(kAnswerInFlight);
      // A terminal killed inside download mode never left it.
      emulator_.With([](emu::Controller& c) { c.LeaveDownloadMode(); });
    }
  }

  void Check() {
    const ProcessResult history = RunProgram(program_, {"history", "--db", db_, "--csv"});
    ASSERT_EQ(history.exitCode, 0) << history.err;
    std::map<std::uint32_t, int> stored;
    for (std::size_t at = history.out.find('\n') + 1; at != 0 && at < history.out.size();
         at = history.out.find('\n', at) + 1) {
      stored[static_cast<std::uint32_t>(HexTextToInt(history.out.substr(at, 6)))] += 1;
    }
    long missing = 0, twice = 0;
    for (std::uint32_t i = 0; i < next_; ++i) {
      const auto found = stored.find(kFirstTag + i);
      if (found == stored.end()) ++missing;
      if (found != stored.end() && found->second > 1) ++twice;
    }
    EXPECT_EQ(missing, 0) << "events recorded but never stored";
    EXPECT_EQ(twice, 0) << "events stored more than once";
    std::printf(
        "harvest soak: %ld rounds, %u events recorded meanwhile, %zu stored, %ld missing, "
        "%ld stored twice\n",
        Settings().harvestRounds, next_.load(), stored.size(), missing, twice);
    std::printf("harvest soak:");
    for (const auto& [name, count] : byEnd_) std::printf(" %s %ld,", name.c_str(), count);
    std::printf("\n");
  }

  std::string program_;
  TempDir dir_;
  std::string db_;
  emu::PtyEmulator emulator_{PacedEmulator()};
  std::atomic<bool> recording_{true};
  std::atomic<std::uint32_t> next_{0};
  std::map<std::string, long> byEnd_;
};

TEST(Soak, HarvestsKilledAtRandomWhileEventsComeStoreEachOnce) { HarvestSoak().Run(); }

}  // namespace
}  // namespace zm48d::testing
