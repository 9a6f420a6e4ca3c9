// The words in front of the command, and the values commands take.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/options.h"

namespace zm48d::testing {
namespace {

using cli::Options;
using cli::ParseOptions;
using cli::UsageError;
using Words = std::vector<std::string>;

Options Parse(const Words& words) { return ParseOptions(words); }

TEST(CommandLineOptions, DefaultsAreComOneHeadAaNoTrace) {
  const Options options = Parse({"beep"});
  EXPECT_EQ(options.comPort, 1);
  EXPECT_FALSE(options.devicePath.has_value());
  EXPECT_EQ(options.head, 0xAA);
  EXPECT_FALSE(options.trace);
  EXPECT_EQ(options.command, "beep");
  EXPECT_TRUE(options.args.empty());
}

TEST(CommandLineOptions, TakesPortHeadAndTraceBeforeTheCommand) {
  const Options com = Parse({"--com", "5", "--trace", "relay", "3"});
  EXPECT_EQ(com.comPort, 5);
  EXPECT_TRUE(com.trace);
  EXPECT_EQ(com.args, Words{"3"});

  const Options port = Parse({"--port", "/dev/ttyUSB0", "--head", "80", "head"});
  EXPECT_EQ(port.devicePath, "/dev/ttyUSB0");
  EXPECT_EQ(port.head, 0x80);
}

TEST(CommandLineOptions, WordsAfterTheCommandAreLeftToIt) {
  const Options options = Parse({"clock", "--set", "07/12/26 14:05:09"});
  EXPECT_EQ(options.command, "clock");
  EXPECT_EQ(options.args, (Words{"--set", "07/12/26 14:05:09"}));
  EXPECT_FALSE(options.trace);
}

// --head reads its text as "Mudar" does: upper-case digits only, low 8 bits.
TEST(CommandLineOptions, HeadIsReadAsTheConfigPageReadsIt) {
  EXPECT_EQ(Parse({"--head", "AA", "beep"}).head, 0xAA);
  EXPECT_EQ(Parse({"--head", "1AB", "beep"}).head, 0xAB);
  EXPECT_EQ(Parse({"--head", "aa", "beep"}).head, 0x00);
  EXPECT_EQ(Parse({"--head", "", "beep"}).head, 0x00);
  EXPECT_EQ(Parse({"--head", "7f", "beep"}).head, 0x07);
}

TEST(CommandLineOptions, HelpNeedsNoCommand) {
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"--com", "2", "-h"}).help);
}

TEST(CommandLineOptions, RefusesBadUsage) {
  const std::vector<Words> bad = {
      {},                                          // no command
      {"--trace"},                                 // options but no command
      {"--com"},                                   // missing value
      {"--com", "0", "beep"},                      // below COM 1
      {"--com", "9", "beep"},                      // above COM 8
      {"--com", "x", "beep"},                      // not a number
      {"--com", "-1", "beep"},                     // negative
      {"--port", "", "beep"},                      // empty path
      {"--com", "2", "--port", "/dev/x", "beep"},  // two ports
      {"--verbose", "beep"},                       // unknown option
      {"--head"},                                  // missing value
  };
  for (const Words& words : bad) {
    SCOPED_TRACE(::testing::PrintToString(words));
    EXPECT_THROW(Parse(words), UsageError);
  }
}

TEST(CommandArguments, NumbersAreDecimalOrHexadecimalWithPrefix) {
  EXPECT_EQ(cli::ParseNumber("4096", "LEN"), 4096u);
  EXPECT_EQ(cli::ParseNumber("0x1000", "LEN"), 0x1000u);
  EXPECT_EQ(cli::ParseNumber("0XFFff", "LEN"), 0xFFFFu);
  EXPECT_EQ(cli::ParseNumber("0xFFFFFFFF", "LEN"), 0xFFFFFFFFu);
  for (const char* bad : {"", "0x", "12a", "-1", "+1", " 1", "1 ", "0x1G", "FF", "0x100000000",
                          "99999999999999999999999"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(cli::ParseNumber(bad, "LEN"), UsageError);
  }
}

TEST(CommandArguments, RangesAndAddressesAreChecked) {
  EXPECT_EQ(cli::ParseNumberInRange("4", "relay", 1, 4), 4u);
  EXPECT_THROW(cli::ParseNumberInRange("0", "relay", 1, 4), UsageError);
  EXPECT_THROW(cli::ParseNumberInRange("5", "relay", 1, 4), UsageError);
  EXPECT_EQ(cli::ParseAddress("0xFFFF"), 0xFFFF);
  EXPECT_EQ(cli::ParseAddress("32768"), 0x8000);
  EXPECT_THROW(cli::ParseAddress("0x10000"), UsageError);
  try {
    cli::ParseNumberInRange("9", "relay", 1, 4);
  } catch (const UsageError& error) {
    EXPECT_STREQ(error.what(), "relay must be from 1 to 4, not '9'");
  }
}

TEST(CommandArguments, EditIntegersFailWithTheRuntimeText) {
  EXPECT_EQ(cli::ParseEditInteger("1100"), 1100);
  EXPECT_EQ(cli::ParseEditInteger("-250"), -250);
  try {
    cli::ParseEditInteger("12x");
    FAIL() << "12x was taken as a number";
  } catch (const UsageError& error) {
    EXPECT_STREQ(error.what(), "'12x' is not a valid integer value");
  }
}

TEST(CommandArguments, HexBytesTakeEitherCaseAndBlanks) {
  const std::vector<std::uint8_t> expected = {0x01, 0xA0, 0xFF};
  EXPECT_EQ(cli::ParseHexBytes(Words{"01A0FF"}), expected);
  EXPECT_EQ(cli::ParseHexBytes(Words{"01 a0 ff"}), expected);
  EXPECT_EQ(cli::ParseHexBytes(Words{"01", "A0", "fF"}), expected);
  EXPECT_EQ(cli::ParseHexBytes(Words{"0", "1A0FF"}), expected);
  for (const Words& bad : {Words{}, Words{""}, Words{"  "}, Words{"ABC"}, Words{"0G"},
                           Words{"0x01"}, Words{"01,02"}}) {
    SCOPED_TRACE(::testing::PrintToString(bad));
    EXPECT_THROW(cli::ParseHexBytes(bad), UsageError);
  }
}

TEST(CommandArguments, ClockTakesTheMaskedEditLayouts) {
  const auto one = cli::ParseClockSetting(Words{"07/12/26 14:05:09"});
  EXPECT_EQ(one.date, "07/12/26");
  EXPECT_EQ(one.time, "14:05:09");
  const auto two = cli::ParseClockSetting(Words{"29/02/24", "23:59:59"});
  EXPECT_EQ(two.date, "29/02/24");
  EXPECT_EQ(two.time, "23:59:59");
  for (const Words& bad :
       {Words{}, Words{"07/12/26"}, Words{"07/12/2026 14:05:09"}, Words{"7/12/26 14:05:09"},
        Words{"31/02/26", "23:59:59"},  // no such day: the controller's clock would show it
        Words{"07-12-26 14:05:09"}, Words{"07/12/26 14:05"}, Words{"07/12/26 14:0 :09"},
        Words{"14:05:09 07/12/26"}, Words{"07/12/26", "14:05:09", "x"}}) {
    SCOPED_TRACE(::testing::PrintToString(bad));
    EXPECT_THROW(cli::ParseClockSetting(bad), UsageError);
  }
}

}  // namespace
}  // namespace zm48d::testing
