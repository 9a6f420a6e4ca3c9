// The value of each digit character, and where each kind of digit stops: the
// characters next to '0'..'9', 'A'..'F' and 'a'..'f' in ASCII are no digits.
#include <gtest/gtest.h>

#include <string>

#include "files/hex_digits.h"

namespace zm48d::testing {
namespace {

TEST(HexDigits, ValueOfEachCharacterInEachReading) {
  struct Case {
    char c;
    int hex, upper, decimal;
  };
  const Case cases[] = {
      {'/', -1, -1, -1}, {'0', 0, 0, 0},     {'9', 9, 9, 9},    {':', -1, -1, -1},
      {'@', -1, -1, -1}, {'A', 10, 10, -1},  {'F', 15, 15, -1}, {'G', -1, -1, -1},
      {'`', -1, -1, -1}, {'a', 10, -1, -1},  {'f', 15, -1, -1}, {'g', -1, -1, -1},
      {' ', -1, -1, -1}, {'\0', -1, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.c));
    EXPECT_EQ(HexDigitValue(c.c), c.hex);
    EXPECT_EQ(DigitValue(c.c, 16), c.hex);
    EXPECT_EQ(UpperHexDigitValue(c.c), c.upper);
    EXPECT_EQ(DigitValue(c.c, 10), c.decimal);
  }
}

TEST(HexDigits, UpperDigitOfTheLowFourBitsReadsBack) {
  for (unsigned value = 0; value < 16; ++value) {
    EXPECT_EQ(UpperHexDigitValue(UpperHexDigit(value)), static_cast<int>(value));
  }
  EXPECT_EQ(UpperHexDigit(10), 'A');
  EXPECT_EQ(UpperHexDigit(0x1F), 'F');
}

}  // namespace
}  // namespace zm48d::testing
