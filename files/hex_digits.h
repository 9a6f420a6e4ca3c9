#pragma once
// Digits of numbers written in decimal or hexadecimal, both ways: the value a
// character stands for, and the upper-case character of a value. Every text the
// terminal reads or writes, the controller's frames included, goes through here.

namespace zm48d {

// 0..15 for '0'..'9', 'A'..'F' and 'a'..'f'; -1 for any other character.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// As HexDigitValue, but a small letter is no digit: the controller writes its
// hexadecimal digits in capitals only.
constexpr int UpperHexDigitValue(char c) { return c >= 'a' && c <= 'f' ? -1 : HexDigitValue(c); }

// The value of `c` as a digit of `base` (10, or 16 with letters of either case);
// -1 when it is none.
constexpr int DigitValue(char c, int base) {
  const int digit = HexDigitValue(c);
  return digit < base ? digit : -1;
}

// '0'..'9', 'A'..'F' for the low four bits of `value`.
constexpr char UpperHexDigit(unsigned value) { return "0123456789ABCDEF"[value & 0x0F]; }

}  // namespace zm48d
