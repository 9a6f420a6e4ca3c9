// A long run of mixed operations against the emulator on a real pseudo-terminal,
// with faults switched on and off through the emulator's console. Each
// operation is a port cycle of its own, as the window runs them. It checks that
//   - every operation ends as its fault calls for, with that transaction's status;
//   - every read and write of the line ends within its bound (300*k + 200 ms);
//   - no file descriptor is left open;
//   - the controller's memory holds what the successful writes put there, and
//     every read gives back what is there.
// Not part of the default test run: it takes minutes at its full length.
//   test_soak [--transactions N] [--seed S] [--event-rounds R] [--harvest-rounds H]
// (N defaults to 20000; the event and harvest rounds are in events_soak.cpp and
// harvest_soak.cpp)
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "emulator/console.h"
#include "link/posix_serial_link.h"
#include "protocol/commands.h"
#include "protocol/memory.h"
#include "protocol/online_reading.h"
#include "tests/soak/soak_settings.h"

namespace zm48d::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const SoakSettings& g_settings = Settings();

// The line's bound for a transfer of `size` bytes, and what a busy machine may
// add to it before a transfer counts as late.
long BoundMs(int size) { return 300L * size + 200; }
constexpr long kSchedulingSlackMs = 200;

// A serial device that times every read and write of the one it wraps.
class TimedLink final : public SerialLink {
 public:
  explicit TimedLink(SerialLink& inner) : inner_(inner) {}

  bool OpenDevice(int port, std::uint32_t baud) override { return inner_.OpenDevice(port, baud); }
  OpenFailure LastOpenFailure() const override { return inner_.LastOpenFailure(); }
  void CloseDevice() override { inner_.CloseDevice(); }
  bool Write(const std::uint8_t* block, int size, int& written) override {
    const auto start = Clock::now();
    const bool ok = inner_.Write(block, size, written);
    Measure(start, size);
    return ok;
  }
  bool Read(int size, std::uint8_t* buffer, int& read) override {
    if (readEnded_ && purged_) slowestPurge = std::max(slowestPurge, *purged_ - *readEnded_);
    readEnded_.reset();
    purged_.reset();
    const auto start = Clock::now();
    const bool ok = inner_.Read(size, buffer, read);
    Measure(start, size);
    if (ok) readEnded_ = Clock::now();
    return ok;
  }
  void Purge(unsigned flags) override {
    if ((flags & kPurgeRxClear) && readEnded_) purged_ = Clock::now();
    inner_.Purge(flags);
  }

  long transfers = 0;
  long late = 0;
  long worstMarginMs = -1000000;  // elapsed minus bound; below 0 is within the bound
  // The longest time from the end of a whole read to the last input purge
  // before the next read, since it was last reset: past the controller's pause
  // before a second frame, the purge may have dropped that frame.
  Clock::duration slowestPurge{};

 private:
  void Measure(Clock::time_point start, int size) {
    const long elapsed = std::chrono::duration_cast<milliseconds>(Clock::now() - start).count();
    ++transfers;
    worstMarginMs = std::max(worstMarginMs, elapsed - BoundMs(size));
    if (elapsed > BoundMs(size) + kSchedulingSlackMs) ++late;
  }
  SerialLink& inner_;
  std::optional<Clock::time_point> readEnded_, purged_;
};

int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = ::opendir("/proc/self/fd")) {
    while (::readdir(dir) != nullptr) ++count;
    ::closedir(dir);
  }
  return count;
}

// ---- what the controller's memory may hold ------------------------------------

// For each byte the soak writes, the values it may hold: one after a write the
// controller acknowledged, several after writes whose answers were spoilt (the
// controller stored them, the terminal cannot know).
class MemoryModel {
 public:
  MemoryModel(int start, int size) : start_(start), values_(static_cast<std::size_t>(size), {0}) {}

  void Stored(int address, const std::uint8_t* bytes, int count, bool certain) {
    for (int i = 0; i < count; ++i) {
      auto& values = values_[static_cast<std::size_t>(address - start_ + i)];
      if (certain) values.clear();
      if (std::find(values.begin(), values.end(), bytes[i]) == values.end())
        values.push_back(bytes[i]);
    }
  }
  // The first address in [address, address + count) whose byte is not one of its values.
  std::optional<int> Mismatch(int address, const std::uint8_t* bytes, int count) const {
    for (int i = 0; i < count; ++i) {
      const auto& values = values_[static_cast<std::size_t>(address - start_ + i)];
      if (std::find(values.begin(), values.end(), bytes[i]) == values.end()) return address + i;
    }
    return std::nullopt;
  }
  int Start() const { return start_; }
  int Size() const { return static_cast<int>(values_.size()); }

 private:
  int start_;
  std::vector<std::vector<std::uint8_t>> values_;
};

// ---- the faults and what they do to a transaction ------------------------------

struct FaultKind {
  const char* name;
  emu::Fault fault;
  LinkStatus status;  // of the transaction it hits
  // A hang-up drops what the terminal has not read yet: when it comes before
  // the terminal took the header, the header is lost too.
  std::optional<LinkStatus> orStatus = std::nullopt;
};
constexpr FaultKind kFaults[] = {
    {"no-answer", emu::Fault::kNoAnswer, link_status::kNoHeader},
    {"wrong-head", emu::Fault::kWrongHead, link_status::kWrongHead},
    {"bad-start", emu::Fault::kBadStart, link_status::kBadFraming},
    {"bad-checksum", emu::Fault::kBadChecksum, link_status::kBadChecksum},
    {"truncated", emu::Fault::kTruncated, link_status::kBodyIncomplete},
    {"over-long", emu::Fault::kOverLong, link_status::kBodyCountMismatch},
    {"short-header", emu::Fault::kShortHeader, link_status::kNoHeader},
    {"hang-up", emu::Fault::kHangUp, link_status::kBodyIncomplete, link_status::kNoHeader},
    // The two that spoil only some answers: a write's "OK", a two-frame answer.
    {"not-ok", emu::Fault::kNotOk, link_status::kOk},
    {"drop-second", emu::Fault::kDropSecond, link_status::kNoHeader},
};

enum class Kind {
  kBeep,
  kReadEeprom,
  kWriteEeprom,
  kReadPage,
  kWritePage,
  kClock,
  kRelay,
  kNotify,
  kOnline
};
constexpr std::array kKindNames = {"beep",      "eeprom read", "eeprom write",
                                   "page read", "page write",  "clock",
                                   "relay",     "notify",      "online"};

struct Operation {
  Kind kind = Kind::kBeep;
  int address = 0;
  std::vector<std::uint8_t> bytes;  // written, or as many as are read
  int requests = 1;
};

struct Expected {
  bool ok = true;
  LinkStatus status = link_status::kOk;
  std::optional<LinkStatus> orStatus;
  int faultedRequest = -1;  // -1: no request is spoilt

  bool Holds(bool gotOk, LinkStatus got) const {
    return gotOk == ok && (got == status || (orStatus && got == *orStatus));
  }
};

bool IsWrite(Kind kind) { return kind == Kind::kWriteEeprom || kind == Kind::kWritePage; }

Expected ExpectedOutcome(const Operation& op, const FaultKind* fault, int skip) {
  if (fault == nullptr || skip >= op.requests) return {};
  if (fault->fault == emu::Fault::kNotOk && !IsWrite(op.kind)) return {};
  if (fault->fault == emu::Fault::kDropSecond && op.kind != Kind::kOnline) return {};
  return {false, fault->status, fault->orStatus, skip};
}

// ---- the run -------------------------------------------------------------------

// The emulator pauses 10 ms between the two frames of an online reading. An
// operation started sooner than kLateFramePause after a failed reading can take
// the reading's late second frame for its own answer: the protocol has no way
// to tell them apart. And a terminal kept from running for longer than the
// pause between taking the first frame and purging its input (a busy machine)
// drops the second frame with the purge.
constexpr milliseconds kSecondFramePause{10};
constexpr milliseconds kLateFramePause{50};

constexpr int kEepromStart = 0x0800, kEepromSize = 0x0800;
constexpr int kSettingsStart = 0x9000, kSettingsPages = 16;

class Soak {
 public:
  Soak()
      : device_([this](int) { return emulator_.TerminalPath(); }), timed_(device_), link_(timed_) {
    link_.observer = [this](FrameDirection direction, std::span<const std::uint8_t>) {
      if (direction == FrameDirection::kSent) ++transactions_;
    };
  }

  void Run() {
    std::mt19937 random(g_settings.seed);
    const int descriptors = OpenDescriptors();
    const auto start = Clock::now();
    while (transactions_ < g_settings.transactions) {
      RunOne(random);
      if (operations_ % 1000 == 0) {
        ASSERT_EQ(OpenDescriptors(), descriptors) << "after " << operations_ << " operations";
      }
    }
    elapsed_ = Clock::now() - start;
    EXPECT_EQ(OpenDescriptors(), descriptors) << "file descriptors left open";
    CheckMemory();
    EXPECT_EQ(timed_.late, 0) << "transfers past their bound";
    EXPECT_EQ(wrong_, 0) << "operations that did not end as their fault calls for";
    Report(descriptors);
  }

 private:
  Operation Draw(std::mt19937& random) {
    auto pick = [&](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(random);
    };
    Operation op;
    op.kind = static_cast<Kind>(pick(0, static_cast<int>(kKindNames.size()) - 1));
    switch (op.kind) {
      case Kind::kReadEeprom:
      case Kind::kWriteEeprom: {
        const int length = op.kind == Kind::kReadEeprom ? pick(1, 48) : pick(1, 160);
        op.address = kEepromStart + pick(0, kEepromSize - length);
        op.bytes.resize(static_cast<std::size_t>(length));
        for (auto& b : op.bytes) b = static_cast<std::uint8_t>(pick(0, 255));
        op.requests = op.kind == Kind::kReadEeprom ? (length + 15) / 16 : (length + 127) / 128;
        break;
      }
      case Kind::kReadPage:
      case Kind::kWritePage:
        op.address = kSettingsStart + kPageSize * pick(0, kSettingsPages - 1);
        op.bytes.resize(kPageSize);
        for (auto& b : op.bytes) b = static_cast<std::uint8_t>(pick(0, 255));
        op.requests = op.kind == Kind::kReadPage ? kPageSize / 16 : 1;
        break;
      default: break;
    }
    return op;
  }

  // Switches a fault on for one request of the next operation, or off; about
  // one operation in seven meets a fault.
  std::pair<const FaultKind*, int> SwitchFault(std::mt19937& random, const Operation& op) {
    const FaultKind* fault = nullptr;
    int skip = 0;
    std::string command = "fault none";
    if (std::uniform_int_distribution<int>(0, 6)(random) == 0) {
      fault =
          &kFaults[std::uniform_int_distribution<std::size_t>(0, std::size(kFaults) - 1)(random)];
      skip = std::uniform_int_distribution<int>(0, op.requests - 1)(random);
      command = std::string("fault ") + fault->name + " " + std::to_string(skip) + " 1";
      ++faults_[fault->name];
    }
    EXPECT_EQ(emu::RunConsoleCommand(emulator_, command), "ok") << command;
    return {fault, skip};
  }

  bool Perform(Operation& op, LinkStatus& status) {
    status = link_status::kOk;
    switch (op.kind) {
      case Kind::kBeep: return Beep(link_, status);
      case Kind::kReadEeprom:
        return ReadEeprom(link_, op.address, static_cast<int>(op.bytes.size()), op.bytes.data(),
                          status);
      case Kind::kWriteEeprom:
        return WriteEeprom(link_, op.address, static_cast<int>(op.bytes.size()), op.bytes.data(),
                           status);
      case Kind::kReadPage: {
        Page page{};
        const bool ok = ReadPage(link_, op.address, page, status);
        std::copy(page.begin(), page.end(), op.bytes.begin());
        return ok;
      }
      case Kind::kWritePage: {
        Page page{};
        std::copy(op.bytes.begin(), op.bytes.end(), page.begin());
        return WritePage(link_, op.address, page, status);
      }
      case Kind::kClock: {
        std::string time, date, weekday;
        return ReadClock(link_, time, date, weekday, status);
      }
      case Kind::kRelay: return PulseRelay(link_, 1, 200, status);
      case Kind::kNotify: return NotifyMemoryUpdated(link_, status);
      case Kind::kOnline: {
        std::array<std::string, kOnlineEntries> texts;
        const bool ok = ReadOnline(link_, false, texts);
        status = ok ? link_status::kOk : link_status::kNoHeader;  // it keeps its own status
        return ok;
      }
    }
    return false;
  }

  MemoryModel& ModelOf(const Operation& op) {
    return op.kind == Kind::kReadEeprom || op.kind == Kind::kWriteEeprom ? eeprom_ : settings_;
  }

  // What a write put into the model: the requests before the spoilt one were
  // acknowledged, the spoilt one reached the controller unacknowledged, the
  // rest were never sent.
  void ModelWrite(const Operation& op, const Expected& expected) {
    const int chunk = op.kind == Kind::kWriteEeprom ? kEepromWriteChunk : kPageSize;
    for (int k = 0; k < op.requests; ++k) {
      if (expected.faultedRequest >= 0 && k > expected.faultedRequest) break;
      const int offset = k * chunk;
      const int count = std::min(chunk, static_cast<int>(op.bytes.size()) - offset);
      ModelOf(op).Stored(op.address + offset, op.bytes.data() + offset, count,
                         k != expected.faultedRequest);
    }
  }

  void RunOne(std::mt19937& random) {
    // The controller sends the second frame of an online reading a pause after
    // the first, whether or not the terminal took the first: after a failed
    // reading, the next operation waits until that frame has come and gone, as
    // the page's timer does (see kLateFramePause).
    if (lateFrameDue_) std::this_thread::sleep_for(kLateFramePause);
    Operation op = Draw(random);
    const auto [fault, skip] = SwitchFault(random, op);
    const Expected expected = ExpectedOutcome(op, fault, skip);
    LinkStatus status = 0xFF;
    bool ok = false;
    timed_.slowestPurge = {};
    {
      if (!SerialOpen(link_.serial, 1)) {
        ADD_FAILURE() << "the port did not open: " << link_.serial.lastOpenFailure.Reason();
        ++wrong_;
        return;
      }
      const PortCloser closer(link_.serial);
      ok = Perform(op, status);
    }
    ++operations_;
    ++byKind_[kKindNames[static_cast<std::size_t>(op.kind)]];
    if (!ok) ++failed_;
    // The online reading keeps a status of its own: only its outcome is known.
    const bool asPlanned =
        op.kind == Kind::kOnline ? ok == expected.ok : expected.Holds(ok, status);
    const std::string name = kKindNames[static_cast<std::size_t>(op.kind)];
    const bool secondFramePurged =
        op.kind == Kind::kOnline && !ok && expected.ok && timed_.slowestPurge > kSecondFramePause;
    if (secondFramePurged) {
      ++purgedLate_;
    } else if (!asPlanned) {
      ++wrong_;
      ADD_FAILURE() << name << " with " << (fault ? fault->name : "no fault") << " at request "
                    << skip << ": ok " << ok << " status " << int{status} << ", expected ok "
                    << expected.ok << " status " << int{expected.status} << " (after " << previous_
                    << ")";
    }
    if (IsWrite(op.kind)) ModelWrite(op, expected);
    if (ok && (op.kind == Kind::kReadEeprom || op.kind == Kind::kReadPage)) {
      const auto at =
          ModelOf(op).Mismatch(op.address, op.bytes.data(), static_cast<int>(op.bytes.size()));
      if (at) {
        ++wrong_;
        ADD_FAILURE() << "read of " << op.address << " gave a byte never written at " << *at
                      << " (after " << previous_ << ")";
      }
    }
    previous_ =
        name + (ok ? "" : " that failed") + (fault ? std::string(" with ") + fault->name : "");
    lateFrameDue_ = op.kind == Kind::kOnline && !ok;
  }

  void CheckMemory() {
    emulator_.With([&](emu::Controller& c) {
      const auto e = eeprom_.Mismatch(eeprom_.Start(), &c.eeprom[eeprom_.Start()], eeprom_.Size());
      const auto s =
          settings_.Mismatch(settings_.Start(), &c.settings[settings_.Start()], settings_.Size());
      EXPECT_FALSE(e.has_value()) << "EEPROM byte " << *e << " differs from what was written";
      EXPECT_FALSE(s.has_value()) << "settings byte " << *s << " differs from what was written";
    });
  }

  void Report(int descriptors) const {
    const double seconds = std::chrono::duration<double>(elapsed_).count();
    std::printf("soak: %ld transactions in %ld operations, %.1f s (seed %u)\n", transactions_,
                operations_, seconds, g_settings.seed);
    std::printf("soak: %ld operations failed, every one as its fault called for: %s\n", failed_,
                wrong_ == 0 ? "yes" : "NO");
    std::printf(
        "soak: %ld online readings lost their second frame to a purge the busy machine delayed\n",
        purgedLate_);
    std::printf(
        "soak: %ld transfers, %ld past their bound and the %ld ms a busy machine may add; "
        "the latest ended %ld ms %s its bound\n",
        timed_.transfers, timed_.late, kSchedulingSlackMs, std::labs(timed_.worstMarginMs),
        timed_.worstMarginMs <= 0 ? "inside" : "past");
    std::printf("soak: file descriptors %d at the start, %d at the end\n", descriptors,
                OpenDescriptors());
    std::printf("soak: operations:");
    for (const auto& [name, count] : byKind_) std::printf(" %s %ld,", name.c_str(), count);
    std::printf("\nsoak: faults:");
    for (const auto& [name, count] : faults_) std::printf(" %s %ld,", name.c_str(), count);
    std::printf("\n");
  }

  emu::PtyEmulator emulator_;
  PosixSerialLink device_;
  TimedLink timed_;
  LinkState link_;
  MemoryModel eeprom_{kEepromStart, kEepromSize};
  MemoryModel settings_{kSettingsStart, kSettingsPages* kPageSize};
  long transactions_ = 0, operations_ = 0, failed_ = 0, wrong_ = 0, purgedLate_ = 0;
  std::string previous_ = "nothing";
  bool lateFrameDue_ = false;
  std::map<std::string, long> byKind_, faults_;
  Clock::duration elapsed_{};
};

TEST(Soak, MixedOperationsWithFaultsEndInTheirStatusWithinTheirBounds) { Soak().Run(); }

}  // namespace

SoakSettings& Settings() {
  static SoakSettings settings;
  return settings;
}

}  // namespace zm48d::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  auto& settings = zm48d::testing::Settings();
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--transactions") {
      settings.transactions = std::atol(argv[i + 1]);
    } else if (option == "--seed") {
      settings.seed = static_cast<unsigned>(std::atol(argv[i + 1]));
    } else if (option == "--event-rounds") {
      settings.eventRounds = std::atol(argv[i + 1]);
    } else if (option == "--harvest-rounds") {
      settings.harvestRounds = std::atol(argv[i + 1]);
    } else {
      std::fprintf(stderr,
                   "usage: test_soak [--transactions N] [--seed S] [--event-rounds R] "
                   "[--harvest-rounds H]\n");
      return 2;
    }
  }
  if (argc % 2 == 0 || settings.transactions <= 0 || settings.eventRounds < 0 ||
      settings.harvestRounds < 0) {
    std::fprintf(
        stderr,
        "usage: test_soak [--transactions N] [--seed S] [--event-rounds R] [--harvest-rounds H]\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
