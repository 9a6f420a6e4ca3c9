#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zm48d {

// Value of the upper-case hexadecimal digits in `text`; every other character,
// lower-case letters and blanks included, is skipped. Sixteen or more digits give
// the value modulo 2^64.
std::uint64_t HexTextToInt(std::string_view text);

// Two upper-case hexadecimal digits of a byte.
std::string HexByte(std::uint8_t value);

}  // namespace zm48d
