#pragma once
// Dates and times of the controller's clock, "DD/MM/YY HH:MM:SS" with the year
// 2000 + YY: which of them exist, and their day of the week.
#include <optional>
#include <string_view>

namespace zm48d {

// A real date and time; the year has two digits (2000 + year).
struct LocalTime {
  int day = 1, month = 1, year = 0;
  int hour = 0, minute = 0, second = 0;
};

// 0 for Monday .. 6 for Sunday, the order in which a group keeps its windows.
int WeekdayFromMonday(const LocalTime& time);

// Whether `time` names a day of the calendar (leap years counted) and a time of
// that day (hour below 24, minute and second below 60).
bool IsRealDateTime(const LocalTime& time);

// "DD/MM/YY HH:MM:SS" with a decimal digit in each digit's place, whatever the
// digits are.
bool HasLocalTimeShape(std::string_view text);

// "DD/MM/YY HH:MM:SS" of a real date and time.
std::optional<LocalTime> ParseLocalTime(std::string_view text);

// "DD/MM/YY" of a real date, at midnight.
std::optional<LocalTime> ParseLocalDate(std::string_view date);

}  // namespace zm48d
