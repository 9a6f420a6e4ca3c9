#include "protocol/calendar.h"

#include <chrono>
#include <cstddef>
#include <string>

#include "files/hex_digits.h"

namespace zm48d {

namespace {

constexpr std::string_view kTimeShape = "00/00/00 00:00:00";  // 0: a decimal digit

int TwoDigits(std::string_view text, std::size_t at) {
  return DigitValue(text[at], 10) * 10 + DigitValue(text[at + 1], 10);
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

bool IsRealDateTime(const LocalTime& time) {
  return Date(time).ok() && time.hour <= 23 && time.minute <= 59 && time.second <= 59;
}

bool HasLocalTimeShape(std::string_view text) {
  if (text.size() != kTimeShape.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = DigitValue(text[i], 10) >= 0;
    if (kTimeShape[i] == '0' ? !digit : text[i] != kTimeShape[i]) return false;
  }
  return true;
}

std::optional<LocalTime> ParseLocalTime(std::string_view text) {
  if (!HasLocalTimeShape(text)) return std::nullopt;
  const LocalTime time{TwoDigits(text, 0), TwoDigits(text, 3),  TwoDigits(text, 6),
                       TwoDigits(text, 9), TwoDigits(text, 12), TwoDigits(text, 15)};
  if (!IsRealDateTime(time)) return std::nullopt;
  return time;
}

std::optional<LocalTime> ParseLocalDate(std::string_view date) {
  return ParseLocalTime(std::string(date) + " 00:00:00");
}

}  // namespace zm48d
