#pragma once
// The history's accesses counted for its charts: per hour of the day and per
// door, granted and refused apart, as the controller recorded them.
#include <array>
#include <span>

#include "store/event_store.h"

namespace zm48d {

struct AccessCount {
  int granted = 0;
  int refused = 0;
};

inline constexpr int kChartDoors = 4;

struct AccessCounts {
  std::array<AccessCount, 24> perHour{};
  std::array<AccessCount, kChartDoors> perDoor{};
};

// A record whose hour is not 00..23 (a damaged clock) is left out of the hours;
// a door beyond the fourth, out of the doors.
AccessCounts CountAccesses(std::span<const store::StoredEvent> events);

}  // namespace zm48d
