#pragma once
// A tag presented at one of the controller's four readers, at a local date and
// time, and the words a person types for one: "DOOR TAG DD/MM/YY HH:MM:SS".
#include <cstdint>
#include <optional>
#include <string_view>

#include "protocol/calendar.h"

namespace zm48d {

inline constexpr int kDoorCount = 4;  // reader d guards door d

struct TagRead {
  std::uint32_t tag = 0;  // 24 bits
  int door = 1;           // 1..kDoorCount
  LocalTime time;
};

// "1" .. "4".
std::optional<int> ParseDoor(std::string_view text);
// Exactly six hexadecimal digits, upper or lower case: "00A1B2".
std::optional<std::uint32_t> ParseTagNumber(std::string_view text);

// The first word of a read that does not parse.
enum class ReadFault { kNone, kDoor, kTag, kTime };

struct ParsedRead {
  TagRead read;
  ReadFault fault = ReadFault::kNone;
};

// The three parts of a read; `time` is "DD/MM/YY HH:MM:SS".
ParsedRead ParseTagRead(std::string_view door, std::string_view tag, std::string_view time);

}  // namespace zm48d
