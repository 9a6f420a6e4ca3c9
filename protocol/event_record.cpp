#include "protocol/event_record.h"

#include "protocol/big_endian.h"
#include "protocol/hex_text.h"

namespace zm48d {

namespace {

using namespace event_record;

std::string YesNo(bool value) { return value ? "Sim" : "Não"; }

std::string Joined(const std::uint8_t* bytes, char separator) {
  return HexByte(bytes[0]) + separator + HexByte(bytes[1]) + separator + HexByte(bytes[2]);
}

std::string DoorText(int door) { return "Porta " + std::to_string(door); }

}  // namespace

std::string TagText(const std::uint8_t* tag) {
  return HexByte(tag[0]) + HexByte(tag[1]) + HexByte(tag[2]);
}

EventRecord DecodeEventRecord(const std::uint8_t* record) {
  const std::uint8_t flags = record[kFlags];
  EventRecord event;
  event.tag = TagText(record + kTag);
  event.date = Joined(record + kDate, '/');
  event.time = Joined(record + kTime, ':');
  event.granted = (flags & kGrantedBit) != 0;
  event.door = (flags & kDoorMask) + 1;
  event.holiday = (flags & kHolidayBit) != 0;
  event.reason = flags >> kReasonShift;
  return event;
}

std::string EventLine(const std::uint8_t* record) {
  const EventRecord e = DecodeEventRecord(record);
  return e.tag + "*" + e.date + "*" + e.time + "*" + YesNo(e.granted) + "*" + DoorText(e.door) +
         "*" + YesNo(e.holiday) + "*";
}

std::string_view ReasonText(int reason) {
  switch (reason) {
    case 0: return "ok!";
    case 1: return "tag não cadastrado!";
    case 2: return "fora do horário!";
    case 3: return "porta não habilitada!";
    default: return "";
  }
}

std::array<std::string, 7> EventGridCells(const EventRecord& event) {
  return {event.tag,
          event.date,
          event.time,
          YesNo(event.granted),
          DoorText(event.door),
          YesNo(event.holiday),
          std::string(ReasonText(event.reason))};
}

StackPointers ParseStackPointers(const std::uint8_t* header) {
  return {GetWord(header + stack_header::kStackStart), GetWord(header + stack_header::kStackTop)};
}

std::optional<int> WaitingBytes(StackPointers pointers) {
  if (pointers.top < pointers.start) return std::nullopt;
  return pointers.top - pointers.start;
}

}  // namespace zm48d
