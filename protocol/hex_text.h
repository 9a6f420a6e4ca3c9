#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zm48d {

// Value of the upper-case hexadecimal digits in `text`; every other character,
// lower-case letters and blanks included, is skipped. Sixteen or more digits give
// the value modulo 2^64.
std::uint64_t HexTextToInt(std::string_view text);

// Whether every character of `text` is an upper-case hexadecimal digit (so the
// empty text is).
bool IsUpperHexText(std::string_view text);

// Two upper-case hexadecimal digits of a byte.
std::string HexByte(std::uint8_t value);

// `count` bytes from the 2·count characters at `text`, two a byte, high digit
// first, each pair read as HexTextToInt reads it (low 8 bits). The controller
// sends every byte of a read answer so.
void DecodeHexPairs(const std::uint8_t* text, int count, std::uint8_t* out);

// out.size() bytes from the first 2·out.size() characters of `text`, two a byte,
// high digit first, when all of them are upper-case hexadecimal digits; what
// follows them is not looked at. False, and `out` untouched, when `text` is
// shorter or holds anything else there: a memory read is kept, compared and
// cleared by, so a byte the text does not plainly stand for must not become one.
bool DecodeUpperHexPairs(std::span<const std::uint8_t> text, std::span<std::uint8_t> out);

}  // namespace zm48d
