// Hexadecimal text and Windows-1252 text, from any bytes: HexTextToInt reads
// only the upper-case digits, a byte's two digits give the byte back, the strict
// pair decoder takes only upper-case digits, and every Windows-1252 byte string
// survives the trip through UTF-8 unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/cp1252.h"
#include "files/runtime_errors.h"
#include "fuzz/fuzz_check.h"
#include "protocol/hex_text.h"

namespace zm48d::fuzz {
namespace {

void CheckHex(const std::string& text) {
  std::string digits;
  for (char c : text) {
    if (IsUpperHexDigit(c)) digits.push_back(c);
  }
  FUZZ_CHECK(HexTextToInt(text) == HexTextToInt(digits));
  if (digits.size() <= 2) FUZZ_CHECK(HexTextToInt(digits) <= 0xFF);
  for (unsigned char byte : text) FUZZ_CHECK(HexTextToInt(HexByte(byte)) == byte);

  // Pairs read as the controller's read answers are read.
  const int pairs = static_cast<int>(text.size() / 2);
  std::string decoded(static_cast<std::size_t>(pairs), '\0');
  DecodeHexPairs(reinterpret_cast<const std::uint8_t*>(text.data()), pairs,
                 reinterpret_cast<std::uint8_t*>(decoded.data()));
  for (int i = 0; i < pairs; ++i) {
    const auto byte = static_cast<std::uint8_t>(decoded[static_cast<std::size_t>(i)]);
    FUZZ_CHECK(byte == (HexTextToInt(text.substr(2 * static_cast<std::size_t>(i), 2)) & 0xFF));
  }

  // A memory read takes the pairs only when every character is an upper-case
  // digit, and then gives the same bytes.
  std::string strict(static_cast<std::size_t>(pairs), '\0');
  const auto* textBytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const bool taken = DecodeUpperHexPairs(
      {textBytes, text.size()}, {reinterpret_cast<std::uint8_t*>(strict.data()), strict.size()});
  bool allDigits = true;
  for (std::size_t i = 0; i < 2 * static_cast<std::size_t>(pairs); ++i) {
    allDigits = allDigits && IsUpperHexDigit(text[i]);
  }
  FUZZ_CHECK(taken == allDigits);
  FUZZ_CHECK(!taken || strict == decoded);
}

void CheckCp1252(const std::string& bytes) {
  const std::string utf8 = Cp1252ToUtf8(bytes);
  FUZZ_CHECK(Utf8ToCp1252(utf8) == bytes);
  // Any bytes taken as UTF-8 give one byte per character at most.
  const std::string narrowed = Utf8ToCp1252(bytes);
  FUZZ_CHECK(narrowed.size() <= bytes.size());
  FUZZ_CHECK(Utf8ToCp1252(Cp1252ToUtf8(narrowed)) == narrowed);
}

// The runtime's whole-number reading either gives a number or its own error.
void CheckWholeNumber(const std::string& text) {
  try {
    (void)StrToInt(text);
  } catch (const ConversionError&) {
  }
}

}  // namespace
}  // namespace zm48d::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = zm48d::fuzz::AsText({data, size});
  zm48d::fuzz::CheckHex(text);
  zm48d::fuzz::CheckCp1252(text);
  zm48d::fuzz::CheckWholeNumber(text);
  return 0;
}
