#include "files/runtime_errors.h"

#include <cstddef>
#include <cstdint>
#include <limits>

#include "files/hex_digits.h"

namespace zm48d {

namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string InFileSuffix(std::string_view path) {
  return path.empty() ? std::string() : " in " + Quoted(path);
}

std::string ConversionError::Message(std::string_view value, std::string_view path) {
  return "'" + std::string(value) + "' is not a valid integer value" + InFileSuffix(path);
}

ConversionError::ConversionError(std::string_view text, std::string_view path)
    : std::runtime_error(Message(text, path)), value_(text), path_(path) {}

ListIndexError::ListIndexError(long long index, std::string_view path)
    : std::runtime_error("List index out of bounds (" + std::to_string(index) + ")" +
                         InFileSuffix(path)),
      index_(index) {}

FileError FileError::CannotOpen(std::string_view path, std::string_view reason) {
  return FileError("Cannot open file " + Quoted(path) + ". " + std::string(reason));
}

FileError FileError::CannotCreate(std::string_view path, std::string_view reason) {
  return FileError("Cannot create file " + Quoted(path) + ". " + std::string(reason));
}

// Decimal numbers must lie in -2147483648..2147483647. Hexadecimal ones ("$1F",
// "0x1F") may use all 32 bits and are read as two's complement, so "$FFFFFFFF"
// is -1, as the runtime reads them.
int StrToInt(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && text[i] == ' ') ++i;

  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  int base = 10;
  if (i < n && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == n) throw ConversionError(text);

  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
  std::uint64_t value = 0;
  for (; i < n; ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) throw ConversionError(text);
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > limit) throw ConversionError(text);
  }

  const auto magnitude = static_cast<std::uint32_t>(value);
  const std::uint32_t bits = negative ? 0u - magnitude : magnitude;
  return static_cast<std::int32_t>(bits);
}

}  // namespace zm48d
