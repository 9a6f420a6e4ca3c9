// The real zm48d executable against a controller emulator on a pseudo-terminal:
// process start, one port cycle, the outcome in the exit status and the texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/support/emulated_line.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_bounds.h"

namespace zm48d::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kConfig = 0x8000;

class ZM48DCommand : public CliOnEmulator {};

// How fast the whole command is, process start included, is BM_BeepCommand's.
TEST_F(ZM48DCommand, BeepSucceedsSilentlyWithOneRequest) {
  const ProcessResult result = Zm48d({"beep"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(emulator_.Requests().size(), 1u) << "no retry";
  EXPECT_EQ(emulator_.With([](emu::Controller& c) { return c.beeps; }), 1);
}

TEST_F(ZM48DCommand, SilentControllerFailsWithErroAfterTheTimeouts) {
  emulator_.SetFault({emu::Fault::kNoAnswer});
  const ProcessResult result = Zm48d({"beep"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro!!\n");
  EXPECT_GT(result.elapsed, 1200ms);  // the 4-byte header read waits 1.4 s
  EXPECT_LT(result.elapsed, Loaded(1500ms));
}

// Each command reports a port that does not open with the text of the window's
// button it stands for, then the device and why.
TEST_F(ZM48DCommand, MissingPortFailsWithTheCommandsOpenFailureText) {
  const std::vector<std::pair<Words, std::string>> cases = {
      {{"beep"}, "Erro ao abrir a porta serial!!\n"},
      {{"relay", "1"}, "Erro ao abrir a porta serial!!\n"},
      {{"reader-timeouts"}, "Erro ao abrir a porta serial!!\n"},
      {{"relay-times", "1000", "1000", "1000", "1000"}, "Erro ao abrir a serial!!\n"},
      {{"head"}, "Erro ao abrir a serial!!\n"},
      {{"clock"}, "Erro ao abrir serial!!\n"},
      {{"clock", "--set", "07/12/26 14:05:09"}, "Erro ao abrir serial!!\n"},
  };
  for (const auto& [words, text] : cases) {
    SCOPED_TRACE(::testing::PrintToString(words));
    const ProcessResult result = Zm48d(words, MissingDevicePath());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, text + MissingDeviceLine());
  }
  EXPECT_TRUE(emulator_.Requests().empty());
}

TEST_F(ZM48DCommand, TraceShowsEveryFrameWithItsTime) {
  const ProcessResult result = Zm48d({"--trace", "beep"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::regex sent(R"((^|\n)\d\d:\d\d:\d\d\.\d{3} -> 02 AA 1E 48 00 1C 03 31 04\n)");
  const std::regex received(R"(\n\d\d:\d\d:\d\d\.\d{3} <- 02 AA 1E( [0-9A-F]{2})+\n$)");
  EXPECT_TRUE(std::regex_search(result.err, sent)) << result.err;
  EXPECT_TRUE(std::regex_search(result.err, received)) << result.err;
  EXPECT_EQ(result.out, "");
}

TEST_F(ZM48DCommand, HeadOptionAddressesTheFrames) {
  emulator_.With([](emu::Controller& c) { c.settings[kConfig + 5] = 0xAB; });
  const ProcessResult result = Zm48d({"--head", "1AB", "--trace", "beep"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.err.find("-> 02 AB 1E 48"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("<- 02 AB 1E"), std::string::npos) << result.err;
}

// 1100 ms keeps 4 units (1000 ms), 249 ms none, 255 units are 63750 ms and
// 256 units wrap to 0; every other byte of the block keeps its value. A value
// cut so is written all the same, with a note of what was stored.
TEST_F(ZM48DCommand, RelayTimesWrittenAndReadBack) {
  emulator_.With([](emu::Controller& c) { c.settings[kConfig + 10] = 0x5A; });
  ProcessResult write = Zm48d({"relay-times", "1000", "1100", "249", "63750"});
  EXPECT_EQ(write.exitCode, 0) << write.err;
  EXPECT_EQ(write.out, "Gravação concluída com sucesso!\n");
  EXPECT_EQ(write.err, "relay-times: stored 1000 1000 0 63750 ms (steps of 250 ms, 0 to 63750)\n");
  EXPECT_EQ(Settings(kConfig + 6, 5), (std::vector<std::uint8_t>{4, 4, 0, 255, 0x5A}));

  ProcessResult read = Zm48d({"relay-times"});
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out, "1000 1000 0 63750\n");

  write = Zm48d({"relay-times", "64000", "1500", "250", "-1"});
  EXPECT_EQ(write.exitCode, 0) << write.err;
  EXPECT_EQ(write.err, "relay-times: stored 0 1500 250 55250 ms (steps of 250 ms, 0 to 63750)\n");
  read = Zm48d({"relay-times"});
  EXPECT_EQ(read.out, "0 1500 250 55250\n");

  write = Zm48d({"relay-times", "0", "1500", "250", "63750"});
  EXPECT_EQ(write.exitCode, 0);
  EXPECT_EQ(write.err, "") << "nothing was cut";
}

TEST_F(ZM48DCommand, ReaderTimeoutsAreCutToSixBits) {
  ProcessResult write = Zm48d({"reader-timeouts", "-1", "2", "2", "2"});
  EXPECT_EQ(write.err, "reader-timeouts: stored 63 2 2 2 s (6 bits: 0 to 63)\n");
  write = Zm48d({"reader-timeouts", "64", "65", "100", "63"});
  EXPECT_EQ(write.exitCode, 0) << write.err;
  EXPECT_EQ(write.out, "Programação concluída com sucesso!!\n");
  EXPECT_EQ(write.err, "reader-timeouts: stored 0 1 36 63 s (6 bits: 0 to 63)\n");
  EXPECT_EQ(Settings(kConfig + 16, 4), (std::vector<std::uint8_t>{0, 1, 36, 63}));
  // A read shows the controller's bytes as they are, above 63 too.
  emulator_.With([](emu::Controller& c) { c.settings[kConfig + 16] = 200; });
  EXPECT_EQ(Zm48d({"reader-timeouts"}).out, "200 1 36 63\n");
}

// The write goes through head AA whatever --head says; reading then needs the
// new head (or AA, which the controller always answers).
TEST_F(ZM48DCommand, HeadWriteGoesThroughAaAndKeepsTheTerminalsHead) {
  const ProcessResult write = Zm48d({"--head", "12", "head", "80"});
  EXPECT_EQ(write.exitCode, 0) << write.err;
  EXPECT_EQ(write.out, "Gravação concluída com sucesso!\n");
  EXPECT_EQ(Settings(kConfig + 5, 1), std::vector<std::uint8_t>{0x80});
  const auto requests = emulator_.Requests();
  ASSERT_EQ(requests.size(), 9u);  // eight 16-byte reads, one page write
  for (const auto& request : requests) EXPECT_EQ(request.head, 0xAA);

  emulator_.ClearRequests();
  const ProcessResult read = Zm48d({"--head", "80", "head"});
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out, "80\n");
  for (const auto& request : emulator_.Requests()) EXPECT_EQ(request.head, 0x80);
}

// The head is the last two upper-case hexadecimal digits of the text; a text
// that is not just those is taken all the same, with a note.
TEST_F(ZM48DCommand, HeadTextsAreCutWithANote) {
  const std::string rest =
      " (the last two upper-case hexadecimal digits; other characters are skipped)\n";
  const struct {
    Words words;
    std::uint8_t stored;
    std::string note;
  } cases[] = {
      {{"head", "12345"}, 0x45, "head: '12345' stored as 45" + rest},
      {{"head", "zz"}, 0x00, "head: 'zz' stored as 00" + rest},
      {{"head", "7"}, 0x07, ""},
      {{"head", "AB"}, 0xAB, ""},
      {{"--head", "1AA", "head", "81"}, 0x81, "zm48d: --head '1AA' taken as AA" + rest},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.words));
    const ProcessResult result = Zm48d(c.words);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, c.note);
    EXPECT_EQ(Settings(kConfig + 5, 1), std::vector<std::uint8_t>{c.stored});
  }
}

TEST_F(ZM48DCommand, ClockSetThenRead) {
  const ProcessResult set = Zm48d({"clock", "--set", "07/12/26 14:05:09"});
  EXPECT_EQ(set.exitCode, 0) << set.err;
  EXPECT_EQ(set.out, "Relógio configurado!!\n");
  const ProcessResult read = Zm48d({"clock"});
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out, "07/12/26 14:05:09 Segunda\n");  // 7 December 2026 is a Monday
}

// A date or time that does not exist is a usage error: the port is not opened,
// so the controller's clock never shows a day that does not come.
TEST_F(ZM48DCommand, ClockSetRefusesDatesAndTimesThatDoNotExist) {
  for (const char* when :
       {"32/13/99 25:61:61", "29/02/25 12:00:00", "31/04/26 12:00:00", "00/01/26 12:00:00",
        "01/00/26 12:00:00", "07/12/26 24:00:00", "07/12/26 12:60:00", "07/12/26 12:00:60"}) {
    SCOPED_TRACE(when);
    const ProcessResult set = Zm48d({"clock", "--set", when});
    EXPECT_EQ(set.exitCode, 2);
    EXPECT_EQ(set.out, "");
    EXPECT_NE(set.err.find("'" + std::string(when) + "' is no date and time of the calendar"),
              std::string::npos)
        << set.err;
  }
  EXPECT_TRUE(emulator_.Requests().empty()) << "nothing was sent";

  const ProcessResult leap = Zm48d({"clock", "--set", "29/02/24 23:59:59"});
  EXPECT_EQ(leap.exitCode, 0) << leap.err;
  const auto clock = emulator_.With([](emu::Controller& c) { return c.clock; });
  EXPECT_EQ(
      (std::array{clock.day, clock.month, clock.year, clock.hour, clock.minute, clock.second}),
      (std::array{29, 2, 24, 23, 59, 59}));
}

TEST_F(ZM48DCommand, RelayFailureIsReportedThoughTheWindowShowsNothing) {
  EXPECT_EQ(Zm48d({"relay", "3"}).exitCode, 0);
  const auto pulses = emulator_.With([](emu::Controller& c) { return c.relayPulses; });
  ASSERT_EQ(pulses.size(), 1u);
  EXPECT_EQ(pulses[0].first, 2);
  EXPECT_EQ(pulses[0].second, "00200");

  emulator_.SetFault({emu::Fault::kBadChecksum});
  const ProcessResult failed = Zm48d({"relay", "3"});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.err, "Erro!!\n");
}

TEST_F(ZM48DCommand, ResetMemoryRewritesBothBlocks) {
  emulator_.With([](emu::Controller& c) {
    c.settings[kConfig + 12] = 0x01;  // 300 tags
    c.settings[kConfig + 13] = 0x2C;
    c.eeprom[14] = 0x77;
    c.eeprom[15] = 0x88;
  });
  const ProcessResult result = Zm48d({"reset-memory"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Settings(kConfig + 10, 4), (std::vector<std::uint8_t>{0xB0, 0x00, 0x00, 0x00}));
  const ProcessResult dump = Zm48d({"eeprom", "read", "0", "16"});
  EXPECT_EQ(dump.out, "0000: 00 00 20 00 00 20 00 00 00 20 00 20 00 84 77 88\n");
}

TEST_F(ZM48DCommand, ResetMemoryNamesTheFailedStage) {
  emulator_.SetFault({emu::Fault::kBadChecksum, 0, -1, 'G'});  // block read fails
  ProcessResult result = Zm48d({"reset-memory"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro1!!\nErro4!!\n");

  emulator_.SetFault({emu::Fault::kNotOk, 0, -1, 'G'});  // block write not acknowledged
  result = Zm48d({"reset-memory"});
  EXPECT_EQ(result.err, "Erro4!!\n");

  emulator_.SetFault({emu::Fault::kNotOk, 0, -1, 'D'});  // header write not acknowledged
  result = Zm48d({"reset-memory"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro3!!\n");
}

// Bytes given replace the start of the page; the rest keeps the controller's values.
TEST_F(ZM48DCommand, SettingsWriteKeepsTheRestOfThePage) {
  emulator_.With([](emu::Controller& c) {
    for (int i = 0; i < 128; ++i) c.settings[0x9000 + i] = static_cast<std::uint8_t>(i);
  });
  const ProcessResult write = Zm48d({"settings", "write", "0x9000", "de ad", "BEEF"});
  EXPECT_EQ(write.exitCode, 0) << write.err;
  const ProcessResult read = Zm48d({"settings", "read", "36864"});
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out.substr(0, 54), "9000: DE AD BE EF 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n");
  EXPECT_NE(read.out.find("\n9070: 70 71 72"), std::string::npos);
  EXPECT_EQ(std::count(read.out.begin(), read.out.end(), '\n'), 8);
}

TEST_F(ZM48DCommand, EepromWriteThenReadAcrossFrames) {
  std::string bytes;
  for (int i = 0; i < 20; ++i) bytes += "A" + std::to_string(i % 10);
  const ProcessResult write = Zm48d({"eeprom", "write", "0x0100", bytes});
  EXPECT_EQ(write.exitCode, 0) << write.err;
  const ProcessResult read = Zm48d({"eeprom", "read", "256", "20"});
  EXPECT_EQ(read.out,
            "0100: A0 A1 A2 A3 A4 A5 A6 A7 A8 A9 A0 A1 A2 A3 A4 A5\n"
            "0110: A6 A7 A8 A9\n");
}

TEST_F(ZM48DCommand, DefaultsSetTheTestValues) {
  const ProcessResult result = Zm48d({"defaults"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "Operação concluída!!\n");
  EXPECT_EQ(Settings(kConfig + 6, 4), (std::vector<std::uint8_t>{6, 6, 6, 6}));
  EXPECT_EQ(Settings(kConfig + 16, 4), (std::vector<std::uint8_t>{2, 2, 2, 2}));
  EXPECT_EQ(Notifications(), 1);
}

// The quick start's pair: the emulator executable, and "COM n" pointed at it
// through ZM48D_COM<n>.
TEST(ZM48DWithEmulatorExecutable, ComPortFollowsTheEnvironment) {
  const std::string zm48d = BuildExecutable("zm48d");
  ASSERT_FALSE(zm48d.empty());
  ChildProcess emulator(BuildExecutable("zm48d-emulator"), {});
  ASSERT_TRUE(emulator.Started());
  const std::string terminal = emulator.ReadLine(5s);
  ASSERT_FALSE(terminal.empty()) << "the emulator printed no terminal path";

  const ProcessResult beep = RunProgram(zm48d, {"--com", "3", "beep"}, {"ZM48D_COM3=" + terminal});
  EXPECT_EQ(beep.exitCode, 0) << beep.err;
  const ProcessResult other =
      RunProgram(zm48d, {"--com", "4", "beep"},
                 {"ZM48D_COM3=" + terminal, "ZM48D_COM4=" + MissingDevicePath()});
  EXPECT_EQ(other.exitCode, 1);
  EXPECT_EQ(other.err, "Erro ao abrir a porta serial!!\n" + MissingDeviceLine());
}

// A controller configured in one run of the emulator keeps its settings in the
// next, as a real one keeps its EEPROM.
TEST(ZM48DWithEmulatorExecutable, StateFileKeepsTheMemoryAcrossRuns) {
  const std::string zm48d = BuildExecutable("zm48d");
  TempDir dir;
  const std::string state = dir.Path("controller.bin");
  auto runEmulator = [&](const std::vector<std::string>& words) {
    ChildProcess emulator(BuildExecutable("zm48d-emulator"), {"--state", state});
    const std::string terminal = emulator.ReadLine(5s);
    std::vector<std::string> args = {"--port", terminal};
    args.insert(args.end(), words.begin(), words.end());
    return RunProgram(zm48d, args);
  };
  EXPECT_EQ(runEmulator({"relay-times", "1500", "2000", "250", "1000"}).exitCode, 0);
  const ProcessResult read = runEmulator({"relay-times"});
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out, "1500 2000 250 1000\n");
}

}  // namespace
}  // namespace zm48d::testing
