#include "app/access_counts.h"

#include <optional>

#include "protocol/bcd.h"
#include "protocol/event_record.h"
#include "protocol/memory_map.h"

namespace zm48d {

namespace {

// The record's hour is BCD; a half beyond 9, or an hour past 23, means the
// clock gave no real hour.
std::optional<int> Hour(const store::StoredEvent& event) {
  const auto hour = FromBcd(event.raw[event_record::kTime]);
  return hour && *hour < 24 ? hour : std::nullopt;
}

void Add(AccessCount& count, bool granted) { ++(granted ? count.granted : count.refused); }

}  // namespace

AccessCounts CountAccesses(std::span<const store::StoredEvent> events) {
  AccessCounts counts;
  for (const store::StoredEvent& event : events) {
    const EventRecord record = DecodeEventRecord(event.raw.data());
    if (const auto hour = Hour(event)) Add(counts.perHour[*hour], record.granted);
    if (record.door >= 1 && record.door <= kChartDoors) {
      Add(counts.perDoor[record.door - 1], record.granted);
    }
  }
  return counts;
}

}  // namespace zm48d
