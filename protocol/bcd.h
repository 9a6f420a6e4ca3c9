#pragma once
// The controller keeps dates and times in binary-coded decimal: the high four
// bits of a byte hold the tens, the low four the units, so 0x25 stands for 25.
#include <cstdint>
#include <optional>

namespace zm48d {

// The last two decimal digits of `value` (0 or more): 25 gives 0x25, 125 also.
constexpr std::uint8_t ToBcd(int value) {
  return static_cast<std::uint8_t>(((value / 10) % 10) << 4 | (value % 10));
}

// 0..99 for a byte whose halves are both decimal digits; none for 0x1A or 0xA0.
constexpr std::optional<int> FromBcd(std::uint8_t byte) {
  const int tens = byte >> 4, units = byte & 0x0F;
  if (tens > 9 || units > 9) return std::nullopt;
  return tens * 10 + units;
}

}  // namespace zm48d
