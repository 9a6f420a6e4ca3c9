// The words of a tag read: door, six-digit tag, a real date and time.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "protocol/tag_read.h"

namespace zm48d::testing {
namespace {

TEST(TagReadTest, GoodWordsGiveTheRead) {
  const ParsedRead parsed = ParseTagRead("4", "00a1B2", "29/02/28 23:59:58");
  ASSERT_EQ(parsed.fault, ReadFault::kNone);
  EXPECT_EQ(parsed.read.door, 4);
  EXPECT_EQ(parsed.read.tag, 0x00A1B2u);
  const LocalTime& t = parsed.read.time;
  EXPECT_EQ((std::array{t.day, t.month, t.year, t.hour, t.minute, t.second}),
            (std::array{29, 2, 28, 23, 59, 58}));
}

TEST(TagReadTest, TheFirstBadWordIsNamed) {
  struct Case {
    const char *door, *tag, *time;
    ReadFault fault;
  };
  const Case cases[] = {
      {"0", "00A1B2", "07/12/26 09:00:00", ReadFault::kDoor},
      {"5", "00A1B2", "07/12/26 09:00:00", ReadFault::kDoor},
      {"x", "zz", "nonsense", ReadFault::kDoor},
      {"1", "00A1B", "07/12/26 09:00:00", ReadFault::kTag},
      {"1", "00A1B23", "07/12/26 09:00:00", ReadFault::kTag},
      {"1", "00A1BG", "07/12/26 09:00:00", ReadFault::kTag},
      {"1", "00A1B2", "32/12/26 09:00:00", ReadFault::kTime},
      {"1", "00A1B2", "07/13/26 09:00:00", ReadFault::kTime},
      {"1", "00A1B2", "29/02/27 09:00:00", ReadFault::kTime},  // 2027 is no leap year
      {"1", "00A1B2", "07/12/26 24:00:00", ReadFault::kTime},
      {"1", "00A1B2", "07/12/26 09:60:00", ReadFault::kTime},
      {"1", "00A1B2", "7/12/26 09:00:00", ReadFault::kTime},
      {"1", "00A1B2", "07/12/26 09:00", ReadFault::kTime},
      {"1", "00A1B2", "07/12/2026 09:00:00", ReadFault::kTime},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.door) + " " + c.tag + " " + c.time);
    EXPECT_EQ(ParseTagRead(c.door, c.tag, c.time).fault, c.fault);
  }
}

TEST(TagReadTest, WeekdaysCountFromMonday) {
  const std::pair<const char*, int> days[] = {
      {"07/12/26 00:00:00", 0},  // Monday
      {"12/12/26 00:00:00", 5},  // Saturday
      {"13/12/26 00:00:00", 6},  // Sunday
      {"01/01/00 00:00:00", 5},  // 1 January 2000 was a Saturday
      {"29/02/28 00:00:00", 1},  // Tuesday
  };
  for (const auto& [when, weekday] : days) {
    SCOPED_TRACE(when);
    EXPECT_EQ(WeekdayFromMonday(ParseLocalTime(when).value()), weekday);
  }
}

}  // namespace
}  // namespace zm48d::testing
