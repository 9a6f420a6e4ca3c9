#pragma once
// How the controller decides a tag read from what a send left in its memory,
// and what the read then does to that memory. The emulator decides its swipes
// here and `zm48d check` tries a configuration here before it is sent.
//
// A read of tag T at reader d at local time t:
//  1. the tag's record is the first of the ConfigBlock's list whose three tag
//     bytes equal T; none: refused, tag not registered;
//  2. bit d-1 of its EnabledPortsMask clear: refused, door not enabled;
//  3. its group g is record g-1 of the group table; g = 0 or g past the
//     header's count: refused, outside the group's hours;
//  4. t is a holiday when some holiday record holds t's day and month; on a
//     holiday a group without holiday permission is refused, outside hours;
//  5. the group's window for t's weekday (Monday first) must hold hh:mm, start
//     and end included, hours and minutes only; a start after its end admits
//     nobody that day. Otherwise refused, outside hours;
//  6. otherwise granted.
#include <array>
#include <cstdint>

#include "protocol/memory_image.h"
#include "protocol/memory_map.h"
#include "protocol/tag_read.h"

namespace zm48d {

// Where the controller's tables stand, from the StackHeader and the ConfigBlock.
struct MemoryLayout {
  int tagList = 0, tagCount = 0;
  int holidayTable = 0, holidayCount = 0;
  int groupTable = 0, groupCount = 0;
  int stackStart = 0, stackTop = 0, stackLimit = 0;
};

MemoryLayout ReadLayout(MemoryView memory);

// A header or tag list that no upload writes: decisions on it would read or
// write memory the tables do not own.
enum class LayoutDamage {
  kNone,
  kTopBelowStart,
  kHolidaysPastArea,  // holiday table past the 2048-byte EEPROM area
  kGroupsPastArea,
  kLimitPastArea,     // stack limit past the area
  kTagListPastSpace,  // tag list past the end of the settings space
};

LayoutDamage CheckLayout(const MemoryLayout& layout);

struct AccessDecision {
  AccessReason reason = AccessReason::kOk;
  bool holiday = false;  // t is a holiday, whatever the outcome
  bool Granted() const { return reason == AccessReason::kOk; }
};

// Rules 1 to 6 above, on a layout CheckLayout found sound, for a read of door
// 1..4 at a real date and time (as ParseTagRead gives them).
AccessDecision DecideAccess(MemoryView memory, const MemoryLayout& layout, const TagRead& read);

using EventRecordBytes = std::array<std::uint8_t, EventRecordSize>;

// The event a read leaves: tag, BCD date and time, flags = door index |
// granted | holiday | reason << 6.
EventRecordBytes MakeEventRecord(const TagRead& read, const AccessDecision& decision);

struct ReadEvaluation {
  LayoutDamage damage = LayoutDamage::kNone;  // when set, nothing was decided
  AccessDecision decision;
  EventRecordBytes record{};
};

// The decision and its event, on the memory as it stands.
ReadEvaluation EvaluateRead(MemoryView memory, const TagRead& read);

// Puts `record` at the stack top and moves the top on by one record. False, with
// nothing written, when top + 10 would pass the header's limit.
bool PushEventRecord(WritableAddressSpace eeprom, const EventRecordBytes& record);

// Relay time of `door` (1..4) in milliseconds: ConfigBlock byte 5 + door, in
// units of 250 ms.
int RelayTimeMs(AddressSpaceView settings, int door);

struct ReadEffects {
  ReadEvaluation evaluation;
  bool recorded = false;  // the event went onto the stack (false: damaged or full)
  int relayMs = 0;        // relay `door` pulsed for this long; 0 when refused
};

// What the controller does with a read: decide it and push its event. A
// damaged layout changes nothing; a full stack drops the event and changes
// nothing in memory, while a granted read still opens its door.
ReadEffects ApplyTagRead(WritableAddressSpace eeprom, AddressSpaceView settings,
                         const TagRead& read);

}  // namespace zm48d
