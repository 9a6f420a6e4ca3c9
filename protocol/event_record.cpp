#include "protocol/event_record.h"

#include "protocol/hex_text.h"
#include "protocol/rules_image.h"

namespace zm48d {

namespace {

constexpr std::uint8_t DoorMask = 0x0F;
constexpr std::uint8_t GrantedBit = 0x10;
constexpr std::uint8_t HolidayBit = 0x20;
constexpr int ReasonShift = 6;

std::string YesNo(bool value) { return value ? "Sim" : "Não"; }

std::string Joined(const std::uint8_t* bytes, char separator) {
  return HexByte(bytes[0]) + separator + HexByte(bytes[1]) + separator + HexByte(bytes[2]);
}

std::string DoorText(int door) { return "Porta " + std::to_string(door); }

std::uint16_t Word(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

}  // namespace

EventRecord DecodeEventRecord(const std::uint8_t* record) {
  const std::uint8_t flags = record[9];
  EventRecord event;
  event.tag = HexByte(record[0]) + HexByte(record[1]) + HexByte(record[2]);
  event.date = Joined(record + 3, '/');
  event.time = Joined(record + 6, ':');
  event.granted = (flags & GrantedBit) != 0;
  event.door = (flags & DoorMask) + 1;
  event.holiday = (flags & HolidayBit) != 0;
  event.reason = flags >> ReasonShift;
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
  return {event.tag,           event.date,      event.time,
          YesNo(event.granted), DoorText(event.door), YesNo(event.holiday),
          std::string(ReasonText(event.reason))};
}

StackPointers ParseStackPointers(const std::uint8_t* header) {
  return {Word(header + HeaderStackStart), Word(header + HeaderStackTop)};
}

std::optional<int> WaitingBytes(StackPointers pointers) {
  if (pointers.top < pointers.start) return std::nullopt;
  return pointers.top - pointers.start;
}

}  // namespace zm48d
