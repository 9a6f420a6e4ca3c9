#include "protocol/hex_text.h"

#include <algorithm>
#include <cstddef>

#include "files/hex_digits.h"

namespace zm48d {

std::uint64_t HexTextToInt(std::string_view text) {
  // Each recognised digit shifts in four bits; unsigned arithmetic keeps the low
  // 64 bits of longer texts, which is the value modulo 2^64.
  std::uint64_t value = 0;
  for (char c : text) {
    // Lower-case letters, blanks and everything else carry no digit.
    const int digit = UpperHexDigitValue(c);
    if (digit >= 0) value = (value << 4) | static_cast<std::uint64_t>(digit);
  }
  return value;
}

std::string HexByte(std::uint8_t value) {
  return {UpperHexDigit(value >> 4), UpperHexDigit(value)};
}

void DecodeHexPairs(const std::uint8_t* text, int count, std::uint8_t* out) {
  for (int i = 0; i < count; ++i) {
    const char pair[2] = {static_cast<char>(text[2 * i]), static_cast<char>(text[2 * i + 1])};
    out[i] = static_cast<std::uint8_t>(HexTextToInt({pair, 2}) & 0xFF);
  }
}

bool DecodeUpperHexPairs(std::span<const std::uint8_t> text, std::span<std::uint8_t> out) {
  if (text.size() < 2 * out.size()) return false;
  for (std::size_t i = 0; i < 2 * out.size(); ++i) {
    if (UpperHexDigitValue(static_cast<char>(text[i])) < 0) return false;
  }
  DecodeHexPairs(text.data(), static_cast<int>(out.size()), out.data());
  return true;
}

bool IsUpperHexText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return UpperHexDigitValue(c) >= 0; });
}

}  // namespace zm48d
