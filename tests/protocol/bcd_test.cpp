// Binary-coded decimal, as the controller keeps dates and times.
#include <gtest/gtest.h>

#include "protocol/bcd.h"

namespace zm48d::testing {
namespace {

TEST(Bcd, EveryTwoDigitNumberGoesThereAndBack) {
  for (int value = 0; value < 100; ++value) {
    const std::uint8_t bcd = ToBcd(value);
    EXPECT_EQ(bcd >> 4, value / 10) << value;
    EXPECT_EQ(FromBcd(bcd), value);
  }
}

TEST(Bcd, KeepsTheLastTwoDigitsAndRefusesHalvesPastNine) {
  EXPECT_EQ(ToBcd(125), 0x25);
  EXPECT_EQ(ToBcd(2026), 0x26);
  const std::uint8_t noDigits[] = {0x0A, 0x1F, 0xA0, 0x9A, 0xFF};
  for (std::uint8_t byte : noDigits) EXPECT_EQ(FromBcd(byte), std::nullopt) << int{byte};
}

}  // namespace
}  // namespace zm48d::testing
