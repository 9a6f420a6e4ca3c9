#include "protocol/readback_files.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "files/file_formats.h"
#include "protocol/rules_image.h"
#include "protocol/tag_image.h"

namespace zm48d {

namespace {

LineList StartFile(std::string_view header, std::size_t count) {
  return LineList({std::string(header), std::to_string(count)});
}

}  // namespace

LineList HolidaysFileOf(std::span<const std::uint8_t> table) {
  const std::size_t count = table.size() / HolidayRecordSize;
  LineList file = StartFile(kHolidaysHeader, count);
  for (std::size_t i = 0; i < count; ++i) {
    file.push_back(HolidayLineOfRecord(RecordOfTable<HolidayRecord>(table, i)));
  }
  return file;
}

LineList GroupsFileOf(std::span<const std::uint8_t> table) {
  const std::size_t count = table.size() / GroupRecordSize;
  LineList file = StartFile(kGroupsHeader, count);
  for (std::size_t i = 0; i < count; ++i) {
    file.push_back(
        GroupLineOfRecord(static_cast<int>(i) + 1, RecordOfTable<GroupRecord>(table, i)));
  }
  return file;
}

LineList TagListFileOf(std::span<const std::uint8_t> image, int count) {
  LineList file = StartFile(kTagListHeader, static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) file.push_back(TagLineOfRecord(TagRecordOfImage(image, i)));
  return file;
}

}  // namespace zm48d
