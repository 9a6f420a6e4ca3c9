#include "protocol/access_decision.h"

#include <algorithm>

#include "protocol/bcd.h"
#include "protocol/big_endian.h"

namespace zm48d {

namespace {

// hh:mm as the group table keeps a window's ends: BCD hour, then BCD minute.
std::uint16_t BcdHourMinute(const LocalTime& time) {
  return static_cast<std::uint16_t>(ToBcd(time.hour) << 8 | ToBcd(time.minute));
}

AccessDecision Refused(AccessReason reason, bool holiday) { return {reason, holiday}; }

bool IsHoliday(AddressSpaceView eeprom, const MemoryLayout& layout, const LocalTime& time) {
  const std::uint8_t day = ToBcd(time.day), month = ToBcd(time.month);
  for (int i = 0; i < layout.holidayCount; ++i) {
    const std::uint8_t* record = &eeprom[layout.holidayTable + HolidayRecordSize * i];
    if (record[holiday_record::kDay] == day && record[holiday_record::kMonth] == month) return true;
  }
  return false;
}

// The first record of the list that holds `tag`; null when none does.
const std::uint8_t* FindTag(AddressSpaceView settings, const MemoryLayout& layout,
                            std::uint32_t tag) {
  const auto high = static_cast<std::uint8_t>(tag >> 16);
  const auto middle = static_cast<std::uint8_t>(tag >> 8);
  const auto low = static_cast<std::uint8_t>(tag);
  for (int i = 0; i < layout.tagCount; ++i) {
    const std::uint8_t* record = &settings[TagRecordAddress(layout.tagList, i)];
    if (record[0] == high && record[1] == middle && record[2] == low) return record;
  }
  return nullptr;
}

bool InWindow(const std::uint8_t* group, const LocalTime& time) {
  const int day = WeekdayFromMonday(time);
  const std::uint16_t now = BcdHourMinute(time);
  return GetWord(group + group_record::WindowStart(day)) <= now &&
         now <= GetWord(group + group_record::WindowEnd(day));
}

}  // namespace

MemoryLayout ReadLayout(MemoryView memory) {
  using namespace stack_header;
  const std::uint8_t* header = memory.eeprom.data();
  const std::uint8_t* config = memory.settings.data() + kConfigBlockAddress;
  return {GetWord(config + config_block::kTagListAddress),
          GetWord(config + config_block::kTagCount),
          GetWord(header + kHolidayTable),
          header[kHolidayCount],
          GetWord(header + kGroupTable),
          header[kGroupCount],
          GetWord(header + kStackStart),
          GetWord(header + kStackTop),
          GetWord(header + kStackLimit)};
}

LayoutDamage CheckLayout(const MemoryLayout& layout) {
  using enum LayoutDamage;
  if (layout.stackTop < layout.stackStart) return kTopBelowStart;
  if (layout.holidayTable + HolidayRecordSize * layout.holidayCount > EepromAreaSize) {
    return kHolidaysPastArea;
  }
  if (layout.groupTable + GroupRecordSize * layout.groupCount > EepromAreaSize) {
    return kGroupsPastArea;
  }
  if (layout.stackLimit > EepromAreaSize) return kLimitPastArea;
  if (layout.tagCount > 0 &&
      TagRecordAddress(layout.tagList, layout.tagCount - 1) + tag_record::kSize >
          kAddressSpaceSize) {
    return kTagListPastSpace;
  }
  return kNone;
}

AccessDecision DecideAccess(MemoryView memory, const MemoryLayout& layout, const TagRead& read) {
  using enum AccessReason;
  const bool holiday = IsHoliday(memory.eeprom, layout, read.time);
  const std::uint8_t* tag = FindTag(memory.settings, layout, read.tag);
  if (tag == nullptr) return Refused(kTagNotRegistered, holiday);
  if ((tag[tag_record::kEnabledPorts] & (1u << (read.door - 1))) == 0) {
    return Refused(kDoorNotEnabled, holiday);
  }
  // Groups are known by their place in the table, from 1.
  const int group = tag[tag_record::kGroup];
  if (group == 0 || group > layout.groupCount) return Refused(kOutsideHours, holiday);
  const std::uint8_t* record = &memory.eeprom[layout.groupTable + GroupRecordSize * (group - 1)];
  if (holiday && record[group_record::kHolidayPermission] != 1)
    return Refused(kOutsideHours, holiday);
  if (!InWindow(record, read.time)) return Refused(kOutsideHours, holiday);
  return {kOk, holiday};
}

EventRecordBytes MakeEventRecord(const TagRead& read, const AccessDecision& decision) {
  using namespace event_record;
  std::uint8_t flags = static_cast<std::uint8_t>((read.door - 1) & kDoorMask);
  if (decision.Granted()) flags |= kGrantedBit;
  if (decision.holiday) flags |= kHolidayBit;
  flags |= static_cast<std::uint8_t>(static_cast<int>(decision.reason) << kReasonShift);
  const LocalTime& t = read.time;
  return {static_cast<std::uint8_t>(read.tag >> 16),
          static_cast<std::uint8_t>(read.tag >> 8),
          static_cast<std::uint8_t>(read.tag),
          ToBcd(t.day),
          ToBcd(t.month),
          ToBcd(t.year),
          ToBcd(t.hour),
          ToBcd(t.minute),
          ToBcd(t.second),
          flags};
}

ReadEvaluation EvaluateRead(MemoryView memory, const TagRead& read) {
  const MemoryLayout layout = ReadLayout(memory);
  ReadEvaluation evaluation;
  evaluation.damage = CheckLayout(layout);
  if (evaluation.damage != LayoutDamage::kNone) return evaluation;
  evaluation.decision = DecideAccess(memory, layout, read);
  evaluation.record = MakeEventRecord(read, evaluation.decision);
  return evaluation;
}

bool PushEventRecord(WritableAddressSpace eeprom, const EventRecordBytes& record) {
  const int top = GetWord(&eeprom[stack_header::kStackTop]);
  const int limit = GetWord(&eeprom[stack_header::kStackLimit]);
  if (top + EventRecordSize > limit) return false;
  std::copy(record.begin(), record.end(), eeprom.begin() + top);
  PutWord(&eeprom[stack_header::kStackTop], static_cast<unsigned>(top + EventRecordSize));
  return true;
}

int RelayTimeMs(AddressSpaceView settings, int door) {
  return settings[kConfigBlockAddress + config_block::kRelayTimes + door - 1] * kRelayTimeUnitMs;
}

ReadEffects ApplyTagRead(WritableAddressSpace eeprom, AddressSpaceView settings,
                         const TagRead& read) {
  ReadEffects effects;
  effects.evaluation = EvaluateRead({eeprom, settings}, read);
  if (effects.evaluation.damage != LayoutDamage::kNone) return effects;
  effects.recorded = PushEventRecord(eeprom, effects.evaluation.record);
  if (effects.evaluation.decision.Granted()) effects.relayMs = RelayTimeMs(settings, read.door);
  return effects;
}

}  // namespace zm48d
