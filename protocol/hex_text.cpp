#include "protocol/hex_text.h"

#include <cstddef>

namespace zm48d {

namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;  // lower-case letters, blanks and everything else carry no digit
}

}  // namespace

std::uint64_t HexTextToInt(std::string_view text) {
  // Each recognised digit shifts in four bits; unsigned arithmetic keeps the low
  // 64 bits of longer texts, which is the value modulo 2^64.
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = DigitValue(c);
    if (digit >= 0) value = (value << 4) | static_cast<std::uint64_t>(digit);
  }
  return value;
}

std::string HexByte(std::uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[value >> 4], kDigits[value & 0x0F]};
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
    if (DigitValue(static_cast<char>(text[i])) < 0) return false;
  }
  DecodeHexPairs(text.data(), static_cast<int>(out.size()), out.data());
  return true;
}

}  // namespace zm48d
