// The clock's dates and times: their shape apart from whether they exist.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "protocol/calendar.h"

namespace zm48d::testing {
namespace {

TEST(Calendar, ShapeIsDigitsAndSeparatorsWhateverTheValues) {
  const std::pair<const char*, bool> cases[] = {
      {"07/12/26 09:00:00", true},  {"99/99/99 99:99:99", true},   {"07/12/26T09:00:00", false},
      {"07-12-26 09:00:00", false}, {"07/12/26 09.00.00", false},  {"07/12/26 09:00:0", false},
      {"O7/12/26 09:00:00", false}, {"07/12/26 09:00:00 ", false}, {"", false},
  };
  for (const auto& [text, shaped] : cases) EXPECT_EQ(HasLocalTimeShape(text), shaped) << text;
}

TEST(Calendar, RealDateAndTimeFromNumbersPastTwoDigits) {
  // The emulator's clock is set from any digits a request carries.
  EXPECT_TRUE(IsRealDateTime({31, 12, 99, 23, 59, 59}));
  EXPECT_FALSE(IsRealDateTime({29, 2, 100, 0, 0, 0}));  // 2100 is no leap year
  EXPECT_TRUE(IsRealDateTime({29, 2, 400, 0, 0, 0}));   // 2400 is
  EXPECT_FALSE(IsRealDateTime({1, 1, 26, 24, 0, 0}));
  EXPECT_FALSE(IsRealDateTime({1, 1, 26, 0, 60, 0}));
  EXPECT_FALSE(IsRealDateTime({1, 1, 26, 0, 0, 60}));
  EXPECT_FALSE(IsRealDateTime({0, 1, 26, 0, 0, 0}));
  EXPECT_FALSE(IsRealDateTime({1, 13, 26, 0, 0, 0}));
}

TEST(Calendar, DateAloneIsThatDayAtMidnight) {
  const auto day = ParseLocalDate("29/02/24");
  ASSERT_TRUE(day.has_value());
  EXPECT_EQ((std::array{day->day, day->month, day->year, day->hour, day->minute, day->second}),
            (std::array{29, 2, 24, 0, 0, 0}));
  EXPECT_FALSE(ParseLocalDate("29/02/25").has_value());
  EXPECT_FALSE(ParseLocalDate("29/02/24 00:00:00").has_value());
}

}  // namespace
}  // namespace zm48d::testing
