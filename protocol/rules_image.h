#pragma once
// The access-rules image: the first 2048 bytes of the controller's EEPROM space
// hold a 16-byte StackHeader, the holiday table, the group table and, behind
// them, the event stack. Built here from a holidays file and a groups file.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "files/line_file.h"
#include "protocol/memory_map.h"

namespace zm48d {

using StackHeaderBytes = std::array<std::uint8_t, stack_header::kWrittenSize>;
using HolidayRecord = std::array<std::uint8_t, HolidayRecordSize>;
using GroupRecord = std::array<std::uint8_t, GroupRecordSize>;

struct RulesImage {
  StackHeaderBytes header;             // written at EEPROM address 0
  std::vector<std::uint8_t> holidays;  // written at HolidayTableStart
  std::vector<std::uint8_t> groups;    // written at groupTableAddress
  std::uint16_t groupTableAddress;
};

// Header bytes 0..13 for H holidays and G groups (each cut to 8 bits): counts,
// table addresses, an empty event stack (top = start) and its limit.
StackHeaderBytes BuildStackHeaderBytes(int holidays, int groups);

// Day and month of a holiday line, BCD straight from the decimal text.
HolidayRecord HolidayRecordFromLine(std::string_view line);

// The fourteen hh:mm times of a group line as 28 BCD bytes, then 1 when the
// holiday flag is exactly "Sim", else 0. Missing text gives 0x00.
GroupRecord GroupRecordFromLine(std::string_view line);

// H and G are the low 8 bits of the count lines; the data lines are read with
// LineList::at, so a file shorter than its count throws ListIndexError, and a
// count line that is not a number throws ConversionError. Headers are not
// checked here.
RulesImage BuildRulesImage(const LineList& holidays, const LineList& groups);

// True when H and G fit the header's count bytes and the tables end within
// the EEPROM area; beyond it the group table would run past 0x07FF.
bool RulesFit(int holidays, int groups);

// Event records that the area leaves room for, from the whole (uncut) counts;
// negative when the tables do not fit. Truncated toward zero: -43 gives -4.
long long StackSpace(long long holidays, long long groups);

}  // namespace zm48d
