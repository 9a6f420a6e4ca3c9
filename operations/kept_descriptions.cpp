#include "operations/kept_descriptions.h"

#include <cstddef>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "files/file_formats.h"
#include "files/runtime_errors.h"
#include "protocol/rules_image.h"
#include "protocol/tag_image.h"

namespace zm48d::ops {

namespace {

// How a kind of file names its lines: by what an upload sends of them, which is
// what a read-back gives again (a holiday typed "1/5" was sent as 01/05).
using LineKey = std::string (*)(std::string_view line);

struct DescribedKind {
  std::string_view header;
  int descriptionPos;
  LineKey key;
};

std::string TagKey(std::string_view line) { return TagNumberText(TagRecordFromLine(line)); }
std::string HolidayKey(std::string_view line) {
  return HolidayDateText(HolidayRecordFromLine(line));
}

constexpr DescribedKind kTags{kTagListHeader, tag_line::kDescriptionPos, TagKey};
constexpr DescribedKind kHolidays{kHolidaysHeader, holiday_line::kDescriptionPos, HolidayKey};

using Descriptions = std::map<std::string, std::string>;

// The descriptions of the data lines the count line promises, the first line
// of a key winning; nothing for a file an upload would not take whole.
std::optional<Descriptions> DescriptionsOf(const LineList& file, const DescribedKind& kind) {
  if (!HasHeaderAndCount(file, kind.header)) return std::nullopt;
  try {
    const int count = CountLineValue(file);
    if (count < 0 || count > file.size() - kFirstDataLineIndex) return std::nullopt;
    Descriptions descriptions;
    for (int i = 0; i < count; ++i) {
      const std::string& line = file.at(kFirstDataLineIndex + i);
      descriptions.emplace(kind.key(line), std::string(FieldToEnd(line, kind.descriptionPos)));
    }
    return descriptions;
  } catch (const ConversionError&) {
    return std::nullopt;  // a count or a tag's group that is no number
  }
}

KeptFile Keep(const std::string& earlierPath, LineList readBack, const DescribedKind& kind) {
  if (!PathExists(earlierPath)) return {std::move(readBack), std::nullopt};
  LineList earlier;
  try {
    earlier = LoadLines(earlierPath);
  } catch (const FileError&) {  // a folder, a FIFO, no permission, too large
    return {std::move(readBack), DescriptionsLost::kUnreadable};
  }
  const std::optional<Descriptions> descriptions = DescriptionsOf(earlier, kind);
  if (!descriptions) return {std::move(readBack), DescriptionsLost::kIncompatible};
  std::vector<std::string> lines = readBack.lines();
  for (std::size_t i = kFirstDataLineIndex; i < lines.size(); ++i) {
    const auto found = descriptions->find(kind.key(lines[i]));
    if (found != descriptions->end()) lines[i] += found->second;
  }
  return {LineList(std::move(lines)), std::nullopt};
}

}  // namespace

KeptFile KeepTagDescriptions(const std::string& earlierPath, LineList readBack) {
  return Keep(earlierPath, std::move(readBack), kTags);
}

KeptFile KeepHolidayDescriptions(const std::string& earlierPath, LineList readBack) {
  return Keep(earlierPath, std::move(readBack), kHolidays);
}

}  // namespace zm48d::ops
