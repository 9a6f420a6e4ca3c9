#pragma once
// The controller's memory as the terminal uses it: the two 64 KiB address
// spaces, the configuration block, the stack header and the record layouts kept
// in them. Multi-byte numbers are big-endian (see big_endian.h); dates and times
// are BCD. The emulator keeps its memory to this same map.
#include <array>
#include <cstdint>

namespace zm48d {

// Both address spaces: 16-bit addresses, high byte first on the wire.
inline constexpr int kAddressSpaceSize = 0x10000;
// A read frame carries 16 bytes (as 32 hexadecimal characters).
inline constexpr int kReadBlockSize = 16;
// An EEPROM write frame carries at most 128 bytes.
inline constexpr int kEepromWriteChunk = 128;
// The settings space is read and written in whole pages.
inline constexpr int kPageSize = 128;
using Page = std::array<std::uint8_t, kPageSize>;

// ---- settings space (command 'G') ---------------------------------------------

inline constexpr std::uint16_t kConfigBlockAddress = 0x8000;
// Where the terminal puts the tag list.
inline constexpr std::uint16_t TagListStart = 0xB000;

// ConfigBlock: the settings page at kConfigBlockAddress. Bytes not named here
// are the controller's and are written back as read.
namespace config_block {
inline constexpr int kHeadAddress = 5;
inline constexpr int kRelayTimes = 6;       // 6..9: relays 1..4, units of kRelayTimeUnitMs
inline constexpr int kTagListAddress = 10;  // 10..11
inline constexpr int kTagCount = 12;        // 12..13
inline constexpr int kReaderTimeouts = 16;  // 16..19: readers 1..4, seconds
}  // namespace config_block

inline constexpr int kRelayTimeUnitMs = 250;

// TagRecord: 5 bytes a tag, packed three to a 16-byte line (15 bytes and a 0x00
// filler; a last line of one or two records has no filler).
namespace tag_record {
inline constexpr int kSize = 5;
inline constexpr int kTag = 0;  // 0..2: tag number, most significant byte first
inline constexpr int kTagBytes = 3;
inline constexpr int kEnabledPorts = 3;  // EnabledPortsMask: bit 0 door 1 .. bit 3 door 4
inline constexpr int kGroup = 4;         // group number: place in the group table, from 1
inline constexpr int kPerLine = 3;
inline constexpr int kLineSize = 16;
}  // namespace tag_record

// Address of tag record `index` (from 0) in a list that starts at `start`.
constexpr int TagRecordAddress(int start, int index) {
  return start + tag_record::kLineSize * (index / tag_record::kPerLine) +
         tag_record::kSize * (index % tag_record::kPerLine);
}

// ---- EEPROM space (command 'D') -----------------------------------------------

// The first 2048 bytes hold the stack header, the holiday table, the group table
// and, behind them, the event stack.
inline constexpr int EepromAreaSize = 2048;
inline constexpr int HolidayTableStart = 0x20;  // bytes 0..31 are the header area
inline constexpr int HolidayRecordSize = 2;     // day, month (BCD)
inline constexpr int GroupRecordSize = 29;
inline constexpr int EventRecordSize = 10;

// StackHeader: 16 bytes at EEPROM address 0; two-byte fields are big-endian.
namespace stack_header {
inline constexpr int kSize = 16;
inline constexpr int kWrittenSize = 14;  // an upload leaves bytes 14..15 alone
inline constexpr int kHolidayCount = 0;
inline constexpr int kHolidayTable = 1;
inline constexpr int kGroupCount = 3;
inline constexpr int kGroupTable = 4;
inline constexpr int kReserved = 6;     // 6..7: written 0x0000
inline constexpr int kStackStart = 8;   // the oldest record
inline constexpr int kStackTop = 10;    // just past the newest record
inline constexpr int kStackLimit = 12;  // the controller writes no record past it
}  // namespace stack_header
using StackHeader = std::array<std::uint8_t, stack_header::kSize>;

// HolidayRecord: the day and the month, BCD.
namespace holiday_record {
inline constexpr int kDay = 0;
inline constexpr int kMonth = 1;
}  // namespace holiday_record

// GroupRecord: seven windows, Monday first (day 0) to Sunday (day 6), each
// start hour, start minute, end hour, end minute in BCD; then the holiday
// permission (1: access allowed on holidays).
namespace group_record {
inline constexpr int kDays = 7;
inline constexpr int kWindowSize = 4;
constexpr int WindowStart(int day) { return kWindowSize * day; }
constexpr int WindowEnd(int day) { return kWindowSize * day + 2; }
inline constexpr int kHolidayPermission = 28;
}  // namespace group_record

// EventRecord: one access attempt on the event stack.
namespace event_record {
inline constexpr int kTag = 0;                   // 0..2: tag number, most significant byte first
inline constexpr int kDate = 3;                  // 3..5: day, month, two-digit year (BCD)
inline constexpr int kTime = 6;                  // 6..8: hour, minute, second (BCD)
inline constexpr int kFlags = 9;                 // below
inline constexpr std::uint8_t kDoorMask = 0x0F;  // door index, 0 for door 1
inline constexpr std::uint8_t kGrantedBit = 0x10;
inline constexpr std::uint8_t kHolidayBit = 0x20;
inline constexpr int kReasonShift = 6;  // 0 ok, 1 not registered, 2 outside hours, 3 door
}  // namespace event_record

// Reason codes of an event's flags.
enum class AccessReason : std::uint8_t {
  kOk = 0,
  kTagNotRegistered = 1,
  kOutsideHours = 2,
  kDoorNotEnabled = 3,
};

// OnlineEntry: eight entries of a 24-bit tag and a value byte, sent as four
// planes of eight bytes (tag high, tag middle, tag low, value).
inline constexpr int kOnlineEntries = 8;

}  // namespace zm48d
