#include "protocol/tag_read.h"

#include "files/hex_digits.h"

namespace zm48d {

namespace {

constexpr int kTagDigits = 6;

}  // namespace

std::optional<int> ParseDoor(std::string_view text) {
  const int door = text.size() == 1 ? DigitValue(text[0], 10) : -1;
  if (door < 1 || door > kDoorCount) return std::nullopt;
  return door;
}

std::optional<std::uint32_t> ParseTagNumber(std::string_view text) {
  if (text.size() != kTagDigits) return std::nullopt;
  std::uint32_t tag = 0;
  for (char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    tag = tag << 4 | static_cast<std::uint32_t>(digit);
  }
  return tag;
}

ParsedRead ParseTagRead(std::string_view door, std::string_view tag, std::string_view time) {
  ParsedRead parsed;
  const auto doorNumber = ParseDoor(door);
  const auto tagNumber = ParseTagNumber(tag);
  const auto localTime = ParseLocalTime(time);
  if (!doorNumber)
    parsed.fault = ReadFault::kDoor;
  else if (!tagNumber)
    parsed.fault = ReadFault::kTag;
  else if (!localTime)
    parsed.fault = ReadFault::kTime;
  else
    parsed.read = {*tagNumber, *doorNumber, *localTime};
  return parsed;
}

}  // namespace zm48d
