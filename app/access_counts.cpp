#include "app/access_counts.h"

#include <optional>
#include <string>

#include "protocol/event_record.h"

namespace zm48d {

namespace {

// The record's time is its BCD digits as text ("14:05:33"); a digit beyond 9
// means the clock gave no real hour.
std::optional<int> Hour(const std::string& time) {
  if (time.size() < 2) return std::nullopt;
  const char tens = time[0], units = time[1];
  if (tens < '0' || tens > '2' || units < '0' || units > '9') return std::nullopt;
  const int hour = (tens - '0') * 10 + (units - '0');
  return hour < 24 ? std::optional<int>(hour) : std::nullopt;
}

void Add(AccessCount& count, bool granted) { ++(granted ? count.granted : count.refused); }

}  // namespace

AccessCounts CountAccesses(std::span<const store::StoredEvent> events) {
  AccessCounts counts;
  for (const store::StoredEvent& event : events) {
    const EventRecord record = DecodeEventRecord(event.raw.data());
    if (const auto hour = Hour(record.time)) Add(counts.perHour[*hour], record.granted);
    if (record.door >= 1 && record.door <= kChartDoors) {
      Add(counts.perDoor[record.door - 1], record.granted);
    }
  }
  return counts;
}

}  // namespace zm48d
