#include "protocol/tag_read.h"

#include <chrono>

namespace zm48d {

namespace {

constexpr std::string_view kTimeShape = "00/00/00 00:00:00";  // 0: a decimal digit
constexpr int kTagDigits = 6;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int TwoDigits(std::string_view text, std::size_t at) {
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

bool HasShape(std::string_view text) {
  if (text.size() != kTimeShape.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kTimeShape[i] == '0' ? !digit : text[i] != kTimeShape[i]) return false;
  }
  return true;
}

std::chrono::year_month_day Date(const LocalTime& time) {
  return {std::chrono::year{2000 + time.year}, std::chrono::month{static_cast<unsigned>(time.month)},
          std::chrono::day{static_cast<unsigned>(time.day)}};
}

}  // namespace

int WeekdayFromMonday(const LocalTime& time) {
  const std::chrono::weekday weekday{std::chrono::sys_days{Date(time)}};
  return static_cast<int>(weekday.iso_encoding()) - 1;
}

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

std::optional<LocalTime> ParseLocalTime(std::string_view text) {
  if (!HasShape(text)) return std::nullopt;
  const LocalTime time{TwoDigits(text, 0),  TwoDigits(text, 3),  TwoDigits(text, 6),
                       TwoDigits(text, 9),  TwoDigits(text, 12), TwoDigits(text, 15)};
  if (!Date(time).ok() || time.hour > 23 || time.minute > 59 || time.second > 59) {
    return std::nullopt;
  }
  return time;
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
