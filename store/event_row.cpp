#include "store/event_row.h"

#include "protocol/event_record.h"
#include "protocol/hex_text.h"

namespace zm48d::store {

namespace {

// "07/12/26" (day/month/year) -> "2026-12-07".
std::string IsoDate(const std::string& dayMonthYear) {
  return "20" + dayMonthYear.substr(6, 2) + "-" + dayMonthYear.substr(3, 2) + "-" +
         dayMonthYear.substr(0, 2);
}

}  // namespace

EventRow MakeEventRow(const std::uint8_t* record) {
  const EventRecord event = DecodeEventRecord(record);
  return {HexText({record, EventRecordSize}),
          event.tag,
          IsoDate(event.date),
          event.time,
          event.door,
          event.granted ? 1 : 0,
          event.holiday ? 1 : 0,
          event.reason};
}

std::string HexText(std::span<const std::uint8_t> bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) text += HexByte(byte);
  return text;
}

std::string TagColumn(std::uint32_t tag) {
  const std::uint8_t bytes[] = {static_cast<std::uint8_t>(tag >> 16),
                                static_cast<std::uint8_t>(tag >> 8),
                                static_cast<std::uint8_t>(tag)};
  return TagText(bytes);
}

}  // namespace zm48d::store
