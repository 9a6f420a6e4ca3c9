#include "protocol/rules_image.h"

#include "files/file_formats.h"
#include "protocol/big_endian.h"
#include "protocol/hex_text.h"
#include "files/runtime_errors.h"

namespace zm48d {

namespace {

std::uint8_t BcdField(std::string_view line, int pos) {
  return static_cast<std::uint8_t>(HexTextToInt(Field(line, pos, 2)) & 0xFF);
}

int CountLine(const LineList& file) { return StrToInt(file.at(kCountLineIndex)) & 0xFF; }

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
  record[group_record::kHolidayPermission] = Field(line, group_line::kHolidayFlag) == kFlagYes ? 1 : 0;
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
    const HolidayRecord record = HolidayRecordFromLine(holidays.at(kFirstDataLineIndex + i));
    image.holidays.insert(image.holidays.end(), record.begin(), record.end());
  }
  image.groups.reserve(static_cast<std::size_t>(GroupRecordSize * g));
  for (int j = 0; j < g; ++j) {
    const GroupRecord record = GroupRecordFromLine(groups.at(kFirstDataLineIndex + j));
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
