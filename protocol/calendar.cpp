#include "protocol/calendar.h"

#include <chrono>
#include <cstddef>

namespace zm48d {

namespace {

constexpr std::string_view kTimeShape = "00/00/00 00:00:00";  // 0: a decimal digit

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
  return {std::chrono::year{2000 + time.year},
          std::chrono::month{static_cast<unsigned>(time.month)},
          std::chrono::day{static_cast<unsigned>(time.day)}};
}

}  // namespace

int WeekdayFromMonday(const LocalTime& time) {
  const std::chrono::weekday weekday{std::chrono::sys_days{Date(time)}};
  return static_cast<int>(weekday.iso_encoding()) - 1;
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

}  // namespace zm48d
