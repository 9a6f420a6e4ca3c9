#include "protocol/rules_image.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <utility>

#include "files/file_formats.h"
#include "files/runtime_errors.h"
#include "protocol/big_endian.h"
#include "protocol/hex_text.h"

namespace zm48d {

namespace {

std::uint8_t BcdField(std::string_view line, int pos) {
  return static_cast<std::uint8_t>(HexTextToInt(Field(line, pos, 2)) & 0xFF);
}

int CountLine(const LineList& file) { return CountLineValue(file) & 0xFF; }

template <class Record, class FromLine>
std::vector<std::uint8_t> BuildTable(const LineList& file, int count, FromLine fromLine) {
  std::vector<std::uint8_t> table;
  if (count <= 0) return table;
  // Only what the file can hold: a count past its lines meets the missing line.
  const int lines = std::max(file.size() - kFirstDataLineIndex, 0);
  table.reserve(std::tuple_size_v<Record> * static_cast<std::size_t>(std::min(count, lines)));
  for (int i = 0; i < count; ++i) {
    const Record record = fromLine(file.at(kFirstDataLineIndex + i));
    table.insert(table.end(), record.begin(), record.end());
  }
  return table;
}

}  // namespace

StackHeaderBytes BuildStackHeaderBytes(int holidays, int groups) {
  const int h = holidays & 0xFF;
  const int g = groups & 0xFF;
  const int groupTable = HolidayTableStart + HolidayRecordSize * h;
  const int stackStart = groupTable + GroupRecordSize * g;
  // Truncating division, as the controller's layout is defined; only
  // meaningful when the tables fit (RulesFit).
  const int capacity = (EepromAreaSize - stackStart) / EventRecordSize;
  const int limit = stackStart + EventRecordSize * capacity;

  using namespace stack_header;
  StackHeaderBytes bytes{};
  bytes[kHolidayCount] = static_cast<std::uint8_t>(h);
  PutWord(&bytes[kHolidayTable], HolidayTableStart);
  bytes[kGroupCount] = static_cast<std::uint8_t>(g);
  PutWord(&bytes[kGroupTable], static_cast<unsigned>(groupTable));
  PutWord(&bytes[kStackStart], static_cast<unsigned>(stackStart));
  PutWord(&bytes[kStackTop], static_cast<unsigned>(stackStart));
  PutWord(&bytes[kStackLimit], static_cast<unsigned>(limit));
  return bytes;
}

HolidayRecord HolidayRecordFromLine(std::string_view line) {
  HolidayRecord record{};
  record[holiday_record::kDay] = BcdField(line, holiday_line::kDay.pos);
  record[holiday_record::kMonth] = BcdField(line, holiday_line::kMonth.pos);
  return record;
}

GroupRecord GroupRecordFromLine(std::string_view line) {
  GroupRecord record{};
  // Byte m is the hour (m even) or the minute (m odd) of time m/2 + 1.
  for (int m = 0; m < group_record::kHolidayPermission; ++m) {
    record[m] = BcdField(line, group_line::TimeDigits(m).pos);
  }
  record[group_record::kHolidayPermission] =
      Field(line, group_line::kHolidayFlag) == kFlagYes ? 1 : 0;
  return record;
}

std::vector<std::uint8_t> BuildHolidayTable(const LineList& holidays, int count) {
  return BuildTable<HolidayRecord>(holidays, count, HolidayRecordFromLine);
}

std::vector<std::uint8_t> BuildGroupTable(const LineList& groups, int count) {
  return BuildTable<GroupRecord>(groups, count, GroupRecordFromLine);
}

RulesImage RulesImageOfTables(std::vector<std::uint8_t> holidays,
                              std::vector<std::uint8_t> groups) {
  const int h = static_cast<int>(holidays.size() / HolidayRecordSize);
  const int g = static_cast<int>(groups.size() / GroupRecordSize);

  RulesImage image{};
  image.header = BuildStackHeaderBytes(h, g);
  image.groupTableAddress = static_cast<std::uint16_t>(HolidayTableStart + HolidayRecordSize * h);
  image.holidays = std::move(holidays);
  image.groups = std::move(groups);
  return image;
}

RulesImage BuildRulesImage(const LineList& holidays, const LineList& groups) {
  return RulesImageOfTables(BuildHolidayTable(holidays, CountLine(holidays)),
                            BuildGroupTable(groups, CountLine(groups)));
}

std::string HolidayDateText(const HolidayRecord& record) {
  return HexByte(record[holiday_record::kDay]) + '/' + HexByte(record[holiday_record::kMonth]);
}

std::string WindowTimeText(std::uint8_t hour, std::uint8_t minute) {
  return HexByte(hour) + ':' + HexByte(minute);
}

std::string HolidayLineOfRecord(const HolidayRecord& record) {
  return HolidayDateText(record) + kFieldSeparator;
}

std::string GroupLineOfRecord(int number, const GroupRecord& record) {
  char place[8];
  std::snprintf(place, sizeof place, "%02d", number);
  std::string line = place;
  for (int m = 0; m < group_record::kHolidayPermission; m += 2) {
    line += kFieldSeparator;
    line += WindowTimeText(record[m], record[m + 1]);
  }
  line += kFieldSeparator;
  line += record[group_record::kHolidayPermission] == 1 ? kFlagYes : kFlagNo;
  return line;
}

bool RulesFit(int holidays, int groups) {
  if (holidays < 0 || holidays > 0xFF || groups < 0 || groups > 0xFF) return false;
  return HolidayTableStart + HolidayRecordSize * holidays + GroupRecordSize * groups <=
         EepromAreaSize;
}

long long StackSpace(long long holidays, long long groups) {
  const long long used =
      HolidayRecordSize * holidays + GroupRecordSize * groups + HolidayTableStart;
  return (EepromAreaSize - used) / EventRecordSize;
}

}  // namespace zm48d
