// What the command line prints: memory dumps and trace lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <regex>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "cli/hex_dump.h"
#include "cli/trace.h"
#include "operations/trace_line.h"

namespace zm48d::testing {
namespace {

std::vector<std::uint8_t> Counting(int count, std::uint8_t first = 0) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<std::uint8_t>(first + i));
  return bytes;
}

TEST(HexDump, SixteenBytesALineAddressFirst) {
  EXPECT_EQ(cli::HexDump(0x0100, Counting(20, 0xF0)),
            "0100: F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF\n"
            "0110: 00 01 02 03\n");
}

TEST(HexDump, ExactLinesAndNothingForNoBytes) {
  const std::string dump = cli::HexDump(0x8000, Counting(128));
  EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 8);
  EXPECT_EQ(dump.substr(0, 6), "8000: ");
  EXPECT_NE(dump.find("\n8070: 70 71"), std::string::npos);
  EXPECT_EQ(dump.substr(dump.size() - 4), " 7F\n");
  EXPECT_EQ(cli::HexDump(0x1234, {}), "");
}

TEST(HexDump, AddressesWrapAtTheTopOfTheSpace) {
  EXPECT_EQ(cli::HexDump(0xFFF8, Counting(10)), "FFF8: 00 01 02 03 04 05 06 07 08 09\n");
  const std::string dump = cli::HexDump(0xFFF8, Counting(24));
  EXPECT_NE(dump.find("\n0008: 10 11"), std::string::npos) << dump;
}

TEST(TraceLine, LocalTimeToTheMillisecondThenDirectionAndBytes) {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 11;
  local.tm_mday = 7;
  local.tm_hour = 12;
  local.tm_min = 3;
  local.tm_sec = 9;
  local.tm_isdst = -1;
  const auto when =
      std::chrono::system_clock::from_time_t(std::mktime(&local)) + std::chrono::milliseconds(45);
  const std::vector<std::uint8_t> beep = {0x02, 0xAA, 0x1E, 0x48, 0x00, 0x1C, 0x03, 0x31, 0x04};
  EXPECT_EQ(ops::FormatTraceLine(when, FrameDirection::kSent, beep),
            "12:03:09.045 -> 02 AA 1E 48 00 1C 03 31 04");
  EXPECT_EQ(ops::FormatTraceLine(when, FrameDirection::kReceived, std::span(beep).first(2)),
            "12:03:09.045 <- 02 AA");
}

TEST(TraceLine, ObserverWritesOneLinePerFrame) {
  std::ostringstream out;
  const FrameObserver observer = cli::MakeTraceObserver(out);
  const std::vector<std::uint8_t> frame = {0x02, 0x80};
  observer(FrameDirection::kSent, frame);
  observer(FrameDirection::kReceived, frame);
  const std::regex twoLines(R"(\d\d:\d\d:\d\d\.\d{3} -> 02 80\n\d\d:\d\d:\d\d\.\d{3} <- 02 80\n)");
  EXPECT_TRUE(std::regex_match(out.str(), twoLines)) << out.str();
}

}  // namespace
}  // namespace zm48d::testing
