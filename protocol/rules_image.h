#pragma once
// The access-rules image: the first 2048 bytes of the controller's EEPROM space
// hold a 16-byte StackHeader, the holiday table, the group table and, behind
// them, the event stack. Built here from a holidays file and a groups file.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
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

// The tables of the first `count` data lines, read with LineList::at: a file
// shorter than its count throws ListIndexError.
std::vector<std::uint8_t> BuildHolidayTable(const LineList& holidays, int count);
std::vector<std::uint8_t> BuildGroupTable(const LineList& groups, int count);

// The image of two tables of at most 255 records each: the header counts them.
RulesImage RulesImageOfTables(std::vector<std::uint8_t> holidays, std::vector<std::uint8_t> groups);

// H and G are the low 8 bits of the count lines; the data lines are read with
// LineList::at, so a file shorter than its count throws ListIndexError, and a
// count line that is not a number throws ConversionError. Headers are not
// checked here.
RulesImage BuildRulesImage(const LineList& holidays, const LineList& groups);

// Record `index` (from 0) of a holiday or group table that holds it.
template <class Record>
Record RecordOfTable(std::span<const std::uint8_t> table, std::size_t index) {
  Record record{};
  std::copy_n(table.begin() + static_cast<std::ptrdiff_t>(index * record.size()), record.size(),
              record.begin());
  return record;
}

// "25/12": the day and the month, each byte as its two hexadecimal digits, so
// that the BCD 0x25 reads 25.
std::string HolidayDateText(const HolidayRecord& record);
// "08:30": the hour and minute bytes of a group's window, likewise.
std::string WindowTimeText(std::uint8_t hour, std::uint8_t minute);

// The data lines that give these records back through HolidayRecordFromLine and
// GroupRecordFromLine, as the editors write them: each byte as the two digits
// that read back to it ("25/12*", an empty description), a group numbered by
// its place in the table ("01*08:00*...*Sim"). A holiday permission other than
// 1 is written "Não".
std::string HolidayLineOfRecord(const HolidayRecord& record);
std::string GroupLineOfRecord(int number, const GroupRecord& record);

// True when H and G fit the header's count bytes and the tables end within
// the EEPROM area; beyond it the group table would run past 0x07FF.
bool RulesFit(int holidays, int groups);

// Event records that the area leaves room for, from the whole (uncut) counts;
// negative when the tables do not fit. Truncated toward zero: -43 gives -4.
long long StackSpace(long long holidays, long long groups);

}  // namespace zm48d
