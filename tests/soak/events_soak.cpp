// Rounds of the real `zm48d events --clear` against a paced emulator, each with
// fresh events pushed onto the stack, an output that may fail (a full disk, a
// reader that went away), a stop at a random moment (SIGINT, SIGTERM, or two
// Ctrl+C, the second of which ends the program at once) and now and then a
// fault on the line. At the end every event pushed is either still on the
// stack or among the rows of an output that succeeded: none is lost.
#include <gtest/gtest.h>

#include <signal.h>

#include <array>
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

constexpr std::uint32_t kFirstTag = 0x200000;  // the soak's tags count up from here
constexpr int kMostEventsPerRound = 40;
// Paced, a round's download takes up to about 0.7 s: the stops fall within it.
constexpr int kLatestStopMs = 700;
// Longer than the longest answer (41 bytes at 19200 baud) and the request before it.
constexpr auto kAnswerInFlight = 200ms;

enum class Output { kFile, kPipe, kFullDisk, kReaderGone };
constexpr const char* kOutputNames[] = {"file", "pipe", "full disk", "reader gone"};
enum class Stop { kNone, kSigInt, kSigTerm, kTwice };
constexpr const char* kStopNames[] = {"none", "SIGINT", "SIGTERM", "Ctrl+C twice"};

class EventsSoak {
 public:
  EventsSoak() : program_(BuildExecutable("zm48d")) {}

  void Run() {
    std::mt19937 random(Settings().seed);
    for (long round = 0; round < Settings().eventRounds; ++round) RunRound(random);
    CheckNothingLost();
    Report();
  }

 private:
  int Pick(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  }

  void PushEvents(int count) {
    emulator_.With([&](emu::Controller& c) {
      for (int i = 0; i < count; ++i) {
        const std::uint32_t tag = kFirstTag + static_cast<std::uint32_t>(pushed_.size());
        if (!c.PushEvent(SampleEvent(tag))) return;
        pushed_.insert(tag);
      }
    });
  }

  RunOptions OptionsFor(Output output, Stop stop, std::mt19937& random) {
    RunOptions options;
    options.timeout = 20s;
    if (output == Output::kFile) options.outputPath = dir_.Path("events.txt");
    if (output == Output::kFullDisk) options.outputPath = "/dev/full";
    if (output == Output::kReaderGone) options.outputReaderGone = true;
    const auto at = std::chrono::milliseconds(Pick(random, 0, kLatestStopMs));
    if (stop == Stop::kSigInt || stop == Stop::kTwice) options.signals.push_back({at, SIGINT});
    if (stop == Stop::kSigTerm) options.signals.push_back({at, SIGTERM});
    if (stop == Stop::kTwice)
      options.signals.push_back({at + std::chrono::milliseconds(Pick(random, 0, 50)), SIGINT});
    return options;
  }

  // About one round in six meets a fault on one of its first requests.
  void SwitchFault(std::mt19937& random) {
    emu::FaultPlan plan;
    if (Pick(random, 0, 5) == 0) {
      constexpr emu::Fault kFaults[] = {emu::Fault::kNoAnswer, emu::Fault::kBadChecksum,
                                        emu::Fault::kNotOk, emu::Fault::kTruncated};
      plan = {kFaults[Pick(random, 0, 3)], Pick(random, 0, 8), 1, 0};
      ++faults_;
    }
    emulator_.SetFault(plan);
  }

  // The soak's tags among the rows an output holds.
  void TakeRows(const std::string& rows) {
    std::size_t at = 0;
    while (at < rows.size()) {
      const std::size_t end = rows.find('\n', at);
      if (end == std::string::npos) break;  // a row cut short was not written
      const std::string row = rows.substr(at, end - at);
      at = end + 1;
      if (row.size() < 6 ||
          row.substr(0, 6).find_first_not_of("0123456789ABCDEF") != std::string::npos) {
        continue;
      }
      const auto tag = static_cast<std::uint32_t>(HexTextToInt(row.substr(0, 6)));
      if (tag >= kFirstTag) delivered_[tag] += 1;
    }
  }

  void RunRound(std::mt19937& random) {
    PushEvents(Pick(random, 0, kMostEventsPerRound));
    const auto output = static_cast<Output>(Pick(random, 0, 3));
    const auto stop = Pick(random, 0, 1) == 0 ? Stop::kNone : static_cast<Stop>(Pick(random, 1, 3));
    SwitchFault(random);
    const ProcessResult result =
        RunProgram(program_, {"--port", emulator_.TerminalPath(), "events", "--clear"},
                   OptionsFor(output, stop, random));
    emulator_.SetFault({});
    ++byOutput_[kOutputNames[static_cast<int>(output)]];
    ++byStop_[kStopNames[static_cast<int>(stop)]];
    ++byEnd_[result.endedBySignal != 0 ? "ended by a signal"
                                       : "exit " + std::to_string(result.exitCode)];
    if (output == Output::kFile) TakeRows(dir_.Read("events.txt"));
    if (output == Output::kPipe) TakeRows(result.out);
    if (result.exitCode == -1 && result.endedBySignal == 0) {
      ADD_FAILURE() << "zm48d did not end within its time: " << result.err;
    }
    // The paced controller still sends the answer a program ended at once had
    // asked for: the next round's terminal would take its bytes for its own
    // answers (and fail, safely, but every round after it too).
    if (result.endedBySignal != 0) std::this_thread::sleep_for(kAnswerInFlight);
    // Only a program ended at once by a second Ctrl+C may leave download mode on.
    const bool downloadMode = emulator_.With([](emu::Controller& c) { return c.downloadMode; });
    if (downloadMode) {
      ++leftInDownloadMode_;
      EXPECT_NE(result.endedBySignal, 0) << "download mode left on after " << result.err;
      emulator_.With([](emu::Controller& c) { c.LeaveDownloadMode(); });
    }
  }

  std::set<std::uint32_t> OnTheStack() {
    return emulator_.With([](emu::Controller& c) {
      std::set<std::uint32_t> tags;
      const StackPointers pointers = ParseStackPointers(c.eeprom.data());
      for (int at = pointers.start; at + EventRecordSize <= pointers.top; at += EventRecordSize) {
        const auto* r = &c.eeprom[static_cast<std::size_t>(at)];
        tags.insert(static_cast<std::uint32_t>(r[0] << 16 | r[1] << 8 | r[2]));
      }
      return tags;
    });
  }

  void CheckNothingLost() {
    const std::set<std::uint32_t> stack = OnTheStack();
    for (const std::uint32_t tag : pushed_) {
      if (stack.count(tag) == 0 && delivered_.count(tag) == 0) ++lost_;
    }
    remaining_ = static_cast<long>(stack.size());
    EXPECT_EQ(lost_, 0) << "events neither on the stack nor in an output that succeeded";
  }

  void Report() const {
    long twice = 0;
    for (const auto& [tag, times] : delivered_) twice += times > 1;
    std::printf(
        "events soak: %ld rounds, %zu events pushed, %zu delivered to outputs that "
        "succeeded (%ld of them more than once), %ld still on the stack, %ld lost\n",
        Settings().eventRounds, pushed_.size(), delivered_.size(), twice, remaining_, lost_);
    std::printf(
        "events soak: %ld rounds met a fault on the line; %ld left download mode on "
        "(each ended at once by a second Ctrl+C)\n",
        faults_, leftInDownloadMode_);
    for (const auto* counts : {&byOutput_, &byStop_, &byEnd_}) {
      std::printf("events soak:");
      for (const auto& [name, count] : *counts) std::printf(" %s %ld,", name.c_str(), count);
      std::printf("\n");
    }
  }

  std::string program_;
  emu::PtyEmulator emulator_{PacedEmulator()};
  TempDir dir_;
  std::set<std::uint32_t> pushed_;
  std::map<std::uint32_t, int> delivered_;
  std::map<std::string, long> byOutput_, byStop_, byEnd_;
  long faults_ = 0, leftInDownloadMode_ = 0, lost_ = 0, remaining_ = 0;
};

TEST(Soak, EventsClearUnderStopsAndFailingOutputsLosesNoEvent) { EventsSoak().Run(); }

}  // namespace
}  // namespace zm48d::testing
