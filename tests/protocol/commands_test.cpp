// Direct commands on the wire and through the emulator: clock, relays, notice.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "files/runtime_errors.h"
#include "protocol/commands.h"
#include "tests/support/emulated_line.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes LastRequestData(EmulatedLine& line) { return line.emulator.Requests().back().data; }

TEST(Clock, SetSendsDigitValuesWithTheWeekdayOfTheDate) {
  EmulatedLine line;
  line.Open();
  LinkStatus status = 99;
  ASSERT_TRUE(SetClock(line.link, "14:05:09", "07/12/26", status));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(line.emulator.Requests().back().command, 'E');
  // 7 December 2026 is a Monday: weekday 1.
  EXPECT_EQ(LastRequestData(line), (Bytes{0x47, 0, 7, 1, 2, 2, 6, 1, 1, 4, 0, 5, 0, 9}));
}

TEST(Clock, DateThatIsNoRealDateIsSentWithWeekdayZero) {
  EmulatedLine line;
  line.Open();
  LinkStatus status = 99;
  ASSERT_TRUE(SetClock(line.link, "00:00:00", "31/02/26", status));
  EXPECT_EQ(LastRequestData(line), (Bytes{0x47, 3, 1, 0, 2, 2, 6, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Clock, NonDigitAtADigitPositionThrowsBeforeAnythingIsSent) {
  EmulatedLine line;
  line.Open();
  LinkStatus status = 0;
  EXPECT_THROW(SetClock(line.link, "1 :05:09", "07/12/26", status), ConversionError);
  EXPECT_THROW(SetClock(line.link, "14:05:09", "07/1", status), ConversionError);
  EXPECT_TRUE(line.emulator.Requests().empty());
}

TEST(Clock, ReadBackGivesTheTimeDateAndWeekdayThatWereSet) {
  EmulatedLine line;
  line.emulator.With([](auto& c) { c.clockRunning = false; });
  line.Open();
  LinkStatus status = 0;
  ASSERT_TRUE(SetClock(line.link, "14:05:09", "08/12/26", status));
  std::string time, date, weekday;
  ASSERT_TRUE(ReadClock(line.link, time, date, weekday, status));
  EXPECT_EQ(time, "14:05:09");
  EXPECT_EQ(date, "08/12/26");
  EXPECT_EQ(weekday, "Terça");
  EXPECT_EQ(LastRequestData(line), (Bytes{'L'}));
}

TEST(Clock, FailedReadLeavesTheTextsAlone) {
  EmulatedLine line;
  line.Open();
  line.emulator.SetFault({emu::Fault::kBadChecksum});
  std::string time = "t", date = "d", weekday = "w";
  LinkStatus status = 0;
  EXPECT_FALSE(ReadClock(line.link, time, date, weekday, status));
  EXPECT_EQ(status, link_status::kBadChecksum);
  EXPECT_EQ(time + date + weekday, "tdw");
}

TEST(Clock, WeekdayNamesAndNumbersOutsideTheWeek) {
  EXPECT_EQ(WeekdayName(0), "Domingo");
  EXPECT_EQ(WeekdayName(6), "Sábado");
  EXPECT_EQ(WeekdayName(7), "Erro");
  EXPECT_EQ(WeekdayOfDate("07/12/26"), 1);
  EXPECT_EQ(WeekdayOfDate("29/02/24"), 4);
  EXPECT_EQ(WeekdayOfDate("29/02/25"), 0);
  EXPECT_EQ(WeekdayOfDate("00/00/00"), 0);
}

TEST(Relay, PulseCarriesTheRelayIndexAndFiveDigitsOfTime) {
  EmulatedLine line;
  line.Open();
  LinkStatus status = 0;
  ASSERT_TRUE(PulseRelay(line.link, 3, 200, status));
  EXPECT_EQ(line.emulator.Requests().back().command, 'C');
  EXPECT_EQ(LastRequestData(line), (Bytes{0x02, '0', '0', '2', '0', '0'}));
  ASSERT_TRUE(PulseRelay(line.link, 1, 123456, status));
  EXPECT_EQ(LastRequestData(line), (Bytes{0x00, '1', '2', '3', '4', '5'}));
  ASSERT_TRUE(PulseRelay(line.link, 4, -7, status));
  EXPECT_EQ(LastRequestData(line), (Bytes{0x03, '-', '0', '0', '0', '0'}));
}

TEST(Notice, MemoryUpdatedIsCommandIWithoutData) {
  EmulatedLine line;
  line.Open();
  LinkStatus status = 99;
  ASSERT_TRUE(NotifyMemoryUpdated(line.link, status));
  EXPECT_EQ(line.emulator.Requests().back().frame,
            (Bytes{0x02, 0xAA, 0x1E, 'I', 0x00, 0x1C, 0x03, 0x32, 0x04}));
  EXPECT_EQ(line.emulator.With([](auto& c) { return c.notifications; }), 1);
}

}  // namespace
}  // namespace zm48d::testing
