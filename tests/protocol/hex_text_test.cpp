// Hexadecimal text as the controller and its files write it: upper-case digits,
// every other character skipped when a value is read, two digits a byte written.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "protocol/hex_text.h"

namespace zm48d::testing {
namespace {

TEST(HexText, DecodesUpperCaseDigitsAndSkipsEverythingElse) {
  EXPECT_EQ(HexTextToInt("AA"), 170u);
  EXPECT_EQ(HexTextToInt("4F"), 79u);
  EXPECT_EQ(HexTextToInt("0A"), 10u);
  EXPECT_EQ(HexTextToInt(""), 0u);
  EXPECT_EQ(HexTextToInt("1a"), 1u);
  EXPECT_EQ(HexTextToInt("G7"), 7u);
  EXPECT_EQ(HexTextToInt("ff"), 0u);
  EXPECT_EQ(HexTextToInt(" 1 B "), 0x1Bu);
  EXPECT_EQ(HexTextToInt("123456789ABCDEF"), 0x123456789ABCDEFu);
}

TEST(HexText, SixteenOrMoreDigitsGiveTheValueModulo2To64) {
  EXPECT_EQ(HexTextToInt("FFFFFFFFFFFFFFFF"), 0xFFFFFFFFFFFFFFFFu);
  EXPECT_EQ(HexTextToInt("8000000000000000"), 0x8000000000000000u);
  EXPECT_EQ(HexTextToInt("1FFFFFFFFFFFFFFFF"), 0xFFFFFFFFFFFFFFFFu);
  EXPECT_EQ(HexTextToInt("1000000000000000AB") & 0xFF, 0xABu);
}

TEST(HexText, ByteIsTwoUpperCaseDigitsHighFirst) {
  const std::pair<std::uint8_t, const char*> cases[] = {
      {0x00, "00"}, {0x0F, "0F"}, {0xA5, "A5"}, {0x9A, "9A"}, {0xFF, "FF"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(HexByte(value), text);
}

TEST(HexText, UpperHexTextHoldsNothingButCapitalDigits) {
  const std::pair<const char*, bool> cases[] = {
      {"", true},   {"0123456789", true}, {"ABCDEF", true}, {"0f", false},
      {"G", false}, {" 1", false},        {"@", false},     {"1:", false},
  };
  for (const auto& [text, upper] : cases) EXPECT_EQ(IsUpperHexText(text), upper) << text;
}

}  // namespace
}  // namespace zm48d::testing
