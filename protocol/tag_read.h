#pragma once
// A tag presented at one of the controller's four readers, at a local date and
// time, and the words a person types for one: "DOOR TAG DD/MM/YY HH:MM:SS".
#include <cstdint>
#include <optional>
#include <string_view>

namespace zm48d {

inline constexpr int kDoorCount = 4;  // reader d guards door d

// A real date and time; the year has two digits (2000 + year).
struct LocalTime {
  int day = 1, month = 1, year = 0;
  int hour = 0, minute = 0, second = 0;
};

struct TagRead {
  std::uint32_t tag = 0;  // 24 bits
  int door = 1;           // 1..kDoorCount
  LocalTime time;
};

// 0 for Monday .. 6 for Sunday, the order in which a group keeps its windows.
int WeekdayFromMonday(const LocalTime& time);

// "1" .. "4".
std::optional<int> ParseDoor(std::string_view text);
// Exactly six hexadecimal digits, upper or lower case: "00A1B2".
std::optional<std::uint32_t> ParseTagNumber(std::string_view text);
// "DD/MM/YY HH:MM:SS" naming a day of the calendar and a time of that day.
std::optional<LocalTime> ParseLocalTime(std::string_view text);

// The first word of a read that does not parse.
enum class ReadFault { kNone, kDoor, kTag, kTime };

struct ParsedRead {
  TagRead read;
  ReadFault fault = ReadFault::kNone;
};

// The three parts of a read; `time` is "DD/MM/YY HH:MM:SS".
ParsedRead ParseTagRead(std::string_view door, std::string_view tag, std::string_view time);

}  // namespace zm48d
