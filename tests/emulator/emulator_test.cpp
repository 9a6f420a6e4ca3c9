// The emulator as tests and the quick start use it: memory that survives a
// restart, faults that hit the chosen requests, console commands, a running clock.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "emulator/console.h"
#include "emulator/frame_reader.h"
#include "protocol/commands.h"
#include "protocol/frames.h"
#include "protocol/memory.h"
#include "tests/support/emulated_line.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_bounds.h"

namespace zm48d::testing {
namespace {

using emu::Fault;

// In download mode new events wait aside and join the stack when it is left.
TEST(EmulatorState, EventsInDownloadModeJoinTheStackWhenItIsLeft) {
  emu::Controller controller;
  const auto top = [&] { return controller.eeprom[10] << 8 | controller.eeprom[11]; };
  const int before = top();
  const auto mode = [&](char sub) {
    controller.Answer({kDefaultHeadAddress, 'B', {static_cast<std::uint8_t>(sub)}, {}});
  };
  mode('E');
  EXPECT_TRUE(controller.PushEvent(SampleEvent(0xA1B2)));
  EXPECT_EQ(top(), before);
  mode('S');
  EXPECT_EQ(top(), before + 10);
  EXPECT_EQ(controller.eeprom[static_cast<std::size_t>(before) + 2], 0xB2);
}

TEST(EmulatorState, MemorySavedInOneRunIsThereInTheNext) {
  TempDir dir;
  const std::string state = dir.Path("controller.bin");
  {
    emu::Controller controller;
    controller.eeprom[0x123] = 0x45;
    controller.settings[0x8006] = 9;
    ASSERT_TRUE(controller.Save(state));
  }
  emu::Controller next;
  ASSERT_TRUE(next.Load(state));
  EXPECT_EQ(next.eeprom[0x123], 0x45);
  EXPECT_EQ(next.settings[0x8006], 9);
  EXPECT_FALSE(next.Load(dir.Path("missing.bin")));
}

TEST(EmulatorFaults, SkipCountAndCommandChooseTheRequestsHit) {
  EmulatedLine line;
  line.Open();
  line.emulator.SetFault({Fault::kNoAnswer, 1, 1, 'H'});
  LinkStatus status = 0;
  EXPECT_TRUE(NotifyMemoryUpdated(line.link, status)) << "other commands are not counted";
  EXPECT_TRUE(Beep(line.link, status));
  EXPECT_FALSE(Beep(line.link, status));
  EXPECT_TRUE(Beep(line.link, status));
}

TEST(EmulatorFaults, HangUpDropsTheLineMidFrameAndTheNextOpenIsServed) {
  if (::geteuid() != 0) GTEST_SKIP() << "hanging up a line needs root";
  EmulatedLine line;
  line.Open();
  line.emulator.SetFault({Fault::kHangUp, 0, 1});
  LinkStatus status = 0;
  EXPECT_FALSE(Beep(line.link, status));
  EXPECT_FALSE(Beep(line.link, status));
  EXPECT_EQ(status, link_status::kWriteFailed) << "the line was hung up, not just left silent";
  line.Open();
  EXPECT_TRUE(Beep(line.link, status));
}

// The faults that spoil only what an answer says: its frame stays sound, and an
// acknowledgement stays "OK". Chosen by name, as the console and --fault do.
TEST(EmulatorFaults, LowerCaseAndShortDataSpoilOnlyTheAnswersText) {
  EmulatedLine line;
  line.Open();
  line.emulator.With([](auto& c) { c.eeprom[0] = 0xAB; });
  LinkStatus status = 0;
  const auto AnswerTo = [&](std::span<const std::uint8_t> request) {
    SetRequest(line.link, 'D', request);
    EXPECT_TRUE(Transact(line.link, status));
    const auto data = line.link.AnnouncedResponseData();
    return std::string(data.begin(), data.end());
  };
  const std::uint8_t read[] = {'L', 0x00, 0x00, 1};
  const std::uint8_t write[] = {'G', 0x01, 0x00, 1, 0x55};
  const std::string sound = AnswerTo(read);
  ASSERT_EQ(sound.substr(0, 2), "AB");
  std::string lower = sound;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

  ASSERT_EQ(emu::RunConsoleCommand(line.emulator, "fault lower-case"), "ok");
  EXPECT_EQ(AnswerTo(read), lower);
  EXPECT_EQ(AnswerTo(write), "OK");
  ASSERT_EQ(emu::RunConsoleCommand(line.emulator, "fault short-data"), "ok");
  EXPECT_EQ(AnswerTo(read), sound.substr(0, 30));
  EXPECT_EQ(AnswerTo(write), "OK");
  EXPECT_EQ(emu::ParseFault("lower-case"), Fault::kLowerCase);
  EXPECT_EQ(emu::ParseFault("short-data"), Fault::kShortData);
}

TEST(EmulatorConsole, EventsReadersFaultsAndBadLines) {
  EmulatedLine line;
  EXPECT_EQ(emu::RunConsoleCommand(line.emulator, "event 00A1B2 071226 140533 10"), "ok");
  const auto record = line.emulator.With([](auto& c) {
    return std::vector<std::uint8_t>(c.eeprom.begin() + 0x20, c.eeprom.begin() + 0x2A);
  });
  EXPECT_EQ(record, (std::vector<std::uint8_t>{0x00, 0xA1, 0xB2, 0x07, 0x12, 0x26, 0x14, 0x05, 0x33,
                                               0x10}));
  EXPECT_EQ(line.emulator.With([](auto& c) { return c.eeprom[11]; }), 0x2A);

  EXPECT_EQ(emu::RunConsoleCommand(line.emulator, "reader 7 ABCDEF 5A"), "ok");
  EXPECT_EQ(line.emulator.With([](auto& c) { return c.online[7].tag; }), 0xABCDEFu);

  EXPECT_EQ(emu::RunConsoleCommand(line.emulator, "fault no-answer"), "ok");
  line.Open();
  LinkStatus status = 0;
  EXPECT_FALSE(Beep(line.link, status));

  EXPECT_NE(emu::RunConsoleCommand(line.emulator, "event zz"), "ok");
  EXPECT_NE(emu::RunConsoleCommand(line.emulator, "reader 9 1 1"), "ok");
  EXPECT_NE(emu::RunConsoleCommand(line.emulator, "fault sideways"), "ok");
  EXPECT_NE(emu::RunConsoleCommand(line.emulator, "dance"), "ok");
}

// The console's hexadecimal words: either case, "0x" before them allowed, 64 bits
// at most; anything else in them is a usage error.
TEST(EmulatorConsole, ReaderTakesHexadecimalWordsOnly) {
  EmulatedLine line;
  struct Case {
    const char* command;
    bool taken;
    std::uint32_t tag;
  };
  const Case cases[] = {
      {"reader 0 abcdef 5a", true, 0xABCDEF},
      {"reader 0 0x00a1B2 0X5A", true, 0x00A1B2},
      {"reader 0 FFFFFFFFFF123456 5A", true, 0x123456},  // the low 24 bits of 64
      {"reader 0 1FFFFFFFFFF123456 5A", false, 0},       // past 64 bits
      {"reader 0 12G456 5A", false, 0},
      {"reader 0 0x 5A", false, 0},
      {"reader 0 123456 5A:", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    line.emulator.With([](auto& controller) { controller.online[0] = {}; });
    EXPECT_EQ(emu::RunConsoleCommand(line.emulator, c.command) == "ok", c.taken);
    EXPECT_EQ(line.emulator.With([](auto& controller) { return controller.online[0].tag; }), c.tag);
  }
}

TEST(EmulatorConsole, FullStackRefusesMoreEvents) {
  EmulatedLine line;
  for (int i = 0; i < 201; ++i) {
    ASSERT_EQ(emu::RunConsoleCommand(line.emulator, "event 000001 010126 000000 00"), "ok");
  }
  EXPECT_EQ(emu::RunConsoleCommand(line.emulator, "event 000001 010126 000000 00"), "stack full");
}

TEST(EmulatorClock, RunsOnFromTheTimeItWasSetAcrossMidnight) {
  EmulatedLine line;
  line.Open();
  LinkStatus status = 0;
  ASSERT_TRUE(SetClock(line.link, "23:59:59", "31/12/26", status));
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  std::string time, date, weekday;
  ASSERT_TRUE(ReadClock(line.link, time, date, weekday, status));
  EXPECT_EQ(date, "01/01/27");
  EXPECT_EQ(time.substr(0, 6), "00:00:");
  EXPECT_EQ(weekday, "Sexta");  // 31/12/26 set as Thursday (4), one day on
}

TEST(EmulatorFrames, RequestCutShortIsDroppedAfterAPause) {
  EmulatedLine line;
  line.Open();
  const std::uint8_t half[] = {0x02, 0xAA, 0x1E, 0x47, 0x83, 0x1C, 'G'};  // a page write, cut
  int written = 0;
  ASSERT_TRUE(SerialWrite(line.link.serial, half, sizeof half, written));
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  LinkStatus status = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(Beep(line.link, status)) << "the stale half frame must not swallow this request";
  // Well before the 1.4 s a request the controller did not take would cost.
  EXPECT_LT(std::chrono::steady_clock::now() - start, Loaded(std::chrono::milliseconds(250)));
}

// The terminal purges its input between the two frames of an online reading:
// at the line's pace, the whole second frame, its start byte included, must
// come after the controller's pause. A second frame read whole after a purge
// 4 ms after the first frame proves the pause; one that was not proves nothing
// on a loaded machine, where this test, or the line, may be late by more than
// the pause. So the polls go on until three have proved it.
TEST(EmulatorFrames, PacedSecondFrameComesWholeAfterThePause) {
  EmulatedLine line(PacedEmulator());
  line.Open();
  const std::uint8_t mode[] = {'N'};
  int proved = 0;
  for (int poll = 0; poll < 30 && proved < 3; ++poll) {
    LinkStatus status = 0;
    SetRequest(line.link, 'J', mode);
    ASSERT_TRUE(Transact(line.link, status)) << "status " << int{status};
    std::this_thread::sleep_for(std::chrono::milliseconds(4));
    SerialPurge(line.link.serial, kPurgeRxClear);
    if (ReceiveFrame(line.link, status)) {
      ++proved;
      continue;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the rest of the answer
    SerialPurge(line.link.serial, kPurgeRxClear);
  }
  EXPECT_EQ(proved, 3) << "no pause before the second frame";
}

TEST(EmulatorFrames, ReaderDropsNoiseAndBadChecksumsAndKeepsPartialFrames) {
  emu::FrameReader reader;
  const std::vector<std::uint8_t> beep{0x02, 0xAA, 0x1E, 0x48, 0x00, 0x1C, 0x03, 0x31, 0x04};
  std::vector<std::uint8_t> stream{0x55, 0x02, 0x01};
  auto bad = beep;
  bad[7] = 0x32;
  stream.insert(stream.end(), bad.begin(), bad.end());
  stream.insert(stream.end(), beep.begin(), beep.begin() + 4);
  reader.Feed(stream.data(), static_cast<int>(stream.size()));
  EXPECT_FALSE(reader.Next().has_value());
  reader.Feed(beep.data() + 4, 5);
  const auto request = reader.Next();
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->frame, beep);
}

}  // namespace
}  // namespace zm48d::testing
