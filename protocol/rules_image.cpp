#include "protocol/rules_image.h"

#include "protocol/file_headers.h"
#include "protocol/hex_text.h"
#include "protocol/runtime_errors.h"

namespace zm48d {

namespace {

std::uint8_t LowByte(std::uint64_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

std::uint8_t BcdField(std::string_view line, int pos) {
  return LowByte(HexTextToInt(Field(line, pos, 2)));
}

void PutWord(StackHeaderBytes& bytes, int offset, int value) {
  bytes[offset] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
  bytes[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

int CountLine(const LineList& file) { return StrToInt(file.at(CountLineIndex)) & 0xFF; }

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

  StackHeaderBytes bytes{};
  bytes[HeaderHolidayCount] = static_cast<std::uint8_t>(h);
  PutWord(bytes, HeaderHolidayTable, HolidayTableStart);
  bytes[HeaderGroupCount] = static_cast<std::uint8_t>(g);
  PutWord(bytes, HeaderGroupTable, groupTable);
  PutWord(bytes, HeaderStackStart, stackStart);
  PutWord(bytes, HeaderStackTop, stackStart);
  PutWord(bytes, HeaderStackLimit, limit);
  return bytes;
}

HolidayRecord HolidayRecordFromLine(std::string_view line) {
  return {BcdField(line, holiday_line::Day.pos), BcdField(line, holiday_line::Month.pos)};
}

GroupRecord GroupRecordFromLine(std::string_view line) {
  GroupRecord record{};
  // Byte m is the hour (m even) or the minute (m odd) of time m/2 + 1.
  for (int m = 0; m < GroupRecordSize - 1; ++m) record[m] = BcdField(line, 4 + 3 * m);
  record[GroupRecordSize - 1] = Field(line, group_line::HolidayFlag) == FlagYes ? 1 : 0;
  return record;
}

RulesImage BuildRulesImage(const LineList& holidays, const LineList& groups) {
  const int h = CountLine(holidays);
  const int g = CountLine(groups);

  RulesImage image{};
  image.header = BuildStackHeaderBytes(h, g);
  image.groupTableAddress = static_cast<std::uint16_t>(HolidayTableStart + HolidayRecordSize * h);

  image.holidays.reserve(static_cast<std::size_t>(HolidayRecordSize * h));
  for (int i = 0; i < h; ++i) {
    const HolidayRecord record = HolidayRecordFromLine(holidays.at(FirstDataLineIndex + i));
    image.holidays.insert(image.holidays.end(), record.begin(), record.end());
  }
  image.groups.reserve(static_cast<std::size_t>(GroupRecordSize * g));
  for (int j = 0; j < g; ++j) {
    const GroupRecord record = GroupRecordFromLine(groups.at(FirstDataLineIndex + j));
    image.groups.insert(image.groups.end(), record.begin(), record.end());
  }
  return image;
}

bool RulesFit(int holidays, int groups) {
  if (holidays < 0 || holidays > 0xFF || groups < 0 || groups > 0xFF) return false;
  return HolidayTableStart + HolidayRecordSize * holidays + GroupRecordSize * groups <=
         EepromAreaSize;
}

long long StackSpace(long long holidays, long long groups) {
  const long long used = HolidayRecordSize * holidays + GroupRecordSize * groups + HolidayTableStart;
  return (EepromAreaSize - used) / EventRecordSize;
}

}  // namespace zm48d
