// Bad command lines end in exit status 2 with a message and the usage text, and
// never reach the serial port.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/command_table.h"
#include "cli/run.h"
#include "tests/support/emulated_line.h"

namespace zm48d::testing {
namespace {

using Words = std::vector<std::string>;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunInProcess(const Words& words) {
  std::ostringstream out, err;
  const int status = cli::RunCommandLine(words, out, err);
  return {status, out.str(), err.str()};
}

// Every command line here names a missing device: a command that opened the
// port before checking its words would end in status 1, not 2.
Words OnMissingPort(Words words) {
  words.insert(words.begin(), {"--port", MissingDevicePath()});
  return words;
}

TEST(CommandLineUsage, HelpListsEveryCommandAndSucceeds) {
  const Outcome outcome = RunInProcess({"--help"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out.rfind("usage: zm48d [--com N | --port PORT] [--head HEX] [--trace]", 0),
            0u);
  for (const cli::CommandEntry& entry : cli::CommandTable()) {
    EXPECT_NE(outcome.out.find("\n  " + std::string(entry.name) + " "), std::string::npos)
        << entry.name;
  }
}

TEST(CommandLineUsage, BadWordsEndInStatusTwoBeforeThePortOpens) {
  const std::vector<Words> bad = {
      {"no-such-command"},
      {"beep", "extra"},
      {"relay"},
      {"relay", "0"},
      {"relay", "5"},
      {"relay", "two"},
      {"clock", "--set"},
      {"clock", "--set", "7/12/26 14:05:09"},
      {"clock", "--set", "aa/bb/cc dd:ee:ff"},
      {"clock", "--sync", "now"},
      {"clock", "--read"},
      {"relay-times", "1000", "1000"},
      {"relay-times", "1000", "1000", "1000", "1e3"},
      {"relay-times", "1000", "1000", "1000", "1000", "1000"},
      {"reader-timeouts", "1", "2", "3", ""},
      {"head", "80", "81"},
      {"reset-memory", "now"},
      {"defaults", "1500"},
      {"notify", "x"},
      {"eeprom"},
      {"eeprom", "erase", "0"},
      {"eeprom", "read", "0"},
      {"eeprom", "read", "0x10000", "16"},
      {"eeprom", "read", "0", "0"},
      {"eeprom", "read", "0", "0x10001"},
      {"eeprom", "read", "zero", "16"},
      {"eeprom", "write", "0"},
      {"eeprom", "write", "0", "ABC"},
      {"eeprom", "write", "0", "XY"},
      {"settings", "read"},
      {"settings", "read", "-1"},
      {"settings", "write", "0x8000"},
      {"settings", "write", "0x8000", std::string(258, 'A')},
  };
  for (const Words& words : bad) {
    SCOPED_TRACE(::testing::PrintToString(words));
    const Outcome outcome = RunInProcess(OnMissingPort(words));
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err.rfind("zm48d: ", 0), 0u) << outcome.err;
    EXPECT_NE(outcome.err.find("usage: zm48d"), std::string::npos);
    EXPECT_EQ(outcome.err.find("Erro"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out, "");
  }
}

TEST(CommandLineUsage, ARawWriteWithoutBytesSaysWhatItNeeds) {
  const std::pair<Words, const char*> cases[] = {
      {{"eeprom", "write", "0"}, "zm48d: eeprom write needs ADDR and HEXBYTES"},
      {{"settings", "write", "0x8000"}, "zm48d: settings write needs ADDR and HEXBYTES"},
  };
  for (const auto& [words, message] : cases) {
    const Outcome outcome = RunInProcess(OnMissingPort(words));
    EXPECT_EQ(outcome.err.rfind(message, 0), 0u) << outcome.err;
  }
}

TEST(CommandLineUsage, AUsageErrorShowsTheCommandsForms) {
  const Outcome outcome = RunInProcess(OnMissingPort({"eeprom", "read", "0x10000", "1"}));
  EXPECT_NE(outcome.err.find("zm48d: ADDR must be from 0 to 0xFFFF"), std::string::npos);
  EXPECT_NE(outcome.err.find("eeprom read ADDR LEN"), std::string::npos);
  EXPECT_NE(outcome.err.find("eeprom write ADDR HEXBYTES"), std::string::npos);
}

// The limits themselves are good usage: they reach the port (and fail there).
TEST(CommandLineUsage, ValuesAtTheLimitsAreAccepted) {
  const std::vector<Words> good = {
      {"relay", "4"},
      {"eeprom", "read", "0xFFFF", "65536"},
      {"settings", "write", "0xFFFF", std::string(256, 'f')},
      {"relay-times", "-1", "0", "2147483647", "0x10"},
      {"reader-timeouts", "100", "-5", "64", "0"},
      {"head", "not hexadecimal at all"},
      {"clock", "--set", "29/02/24", "23:59:59"},
  };
  for (const Words& words : good) {
    SCOPED_TRACE(::testing::PrintToString(words));
    const Outcome outcome = RunInProcess(OnMissingPort(words));
    EXPECT_EQ(outcome.status, 1) << outcome.err;
  }
}

}  // namespace
}  // namespace zm48d::testing
