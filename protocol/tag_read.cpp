#include "protocol/tag_read.h"

namespace zm48d {

namespace {

constexpr int kTagDigits = 6;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<int> ParseDoor(std::string_view text) {
  if (text.size() != 1 || text[0] < '1' || text[0] > '0' + kDoorCount) return std::nullopt;
  return text[0] - '0';
}

std::optional<std::uint32_t> ParseTagNumber(std::string_view text) {
  if (text.size() != kTagDigits) return std::nullopt;
  std::uint32_t tag = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
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
  if (!doorNumber) parsed.fault = ReadFault::kDoor;
  else if (!tagNumber) parsed.fault = ReadFault::kTag;
  else if (!localTime) parsed.fault = ReadFault::kTime;
  else parsed.read = {*tagNumber, *doorNumber, *localTime};
  return parsed;
}

}  // namespace zm48d
