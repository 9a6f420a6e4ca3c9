#include "operations/readback_differences.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <optional>
#include <span>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "operations/operator_texts.h"
#include "protocol/big_endian.h"
#include "protocol/hex_text.h"
#include "protocol/rules_image.h"
#include "protocol/tag_image.h"

namespace zm48d::ops {

namespace {

using Lines = std::vector<std::string>;

std::string Cat(std::string_view a, std::string_view b) { return std::string(a) + std::string(b); }

// "<record>: [<field> ]controlador <c>, arquivo <f>"
std::string Differs(std::string_view record, std::string_view field, std::string_view controller,
                    std::string_view file) {
  std::string line = Cat(record, ": ");
  if (!field.empty()) line += Cat(field, " ");
  return line + Cat(text::kInController, controller) + Cat(text::kInFile, file);
}

void Compare(Lines& lines, std::string_view record, std::string_view field,
             const std::string& controller, const std::string& file) {
  if (controller != file) lines.push_back(Differs(record, field, controller, file));
}

std::string Padded(int value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", digits, value);
  return text;
}

// An address as four hexadecimal digits.
std::string WordText(unsigned value) { return HexByte(HighByte(value)) + HexByte(LowByte(value)); }
std::string WordText(const std::uint8_t* at) { return WordText(GetWord(at)); }

// ---- rules ---------------------------------------------------------------------

std::string PermissionText(std::uint8_t value) {
  if (value == 1) return std::string(text::kYes);
  if (value == 0) return std::string(text::kNo);
  return HexByte(value);
}

void CompareHoliday(Lines& lines, const std::string& record, const HolidayRecord& controller,
                    const HolidayRecord& file) {
  Compare(lines, record, {}, HolidayDateText(controller), HolidayDateText(file));
}

std::string WindowText(const GroupRecord& record, int at) {
  return WindowTimeText(record[at], record[at + 1]);
}

void CompareGroup(Lines& lines, const std::string& record, const GroupRecord& controller,
                  const GroupRecord& file) {
  using namespace group_record;
  for (int day = 0; day < kDays; ++day) {
    const std::string name = record + ", " + std::string(text::kWindowDays[day]);
    Compare(lines, name + std::string(text::kWindowStart), {},
            WindowText(controller, WindowStart(day)), WindowText(file, WindowStart(day)));
    Compare(lines, name + std::string(text::kWindowEnd), {}, WindowText(controller, WindowEnd(day)),
            WindowText(file, WindowEnd(day)));
  }
  Compare(lines, record + ", " + std::string(text::kHolidayPermission), {},
          PermissionText(controller[kHolidayPermission]), PermissionText(file[kHolidayPermission]));
}

// Records in table order, named by their place from 01; the records past the
// shorter table are missing on its side.
template <class Record, class CompareRecord>
void CompareTables(Lines& lines, std::string_view noun, std::span<const std::uint8_t> controller,
                   std::span<const std::uint8_t> file, CompareRecord compareRecord) {
  const std::size_t inController = controller.size() / std::tuple_size_v<Record>;
  const std::size_t inFile = file.size() / std::tuple_size_v<Record>;
  auto name = [&](std::size_t i) { return Cat(noun, Padded(static_cast<int>(i) + 1, 2)); };
  for (std::size_t i = 0; i < std::min(inController, inFile); ++i) {
    compareRecord(lines, name(i), RecordOfTable<Record>(controller, i),
                  RecordOfTable<Record>(file, i));
  }
  for (std::size_t i = inController; i < inFile; ++i)
    lines.push_back(Cat(name(i), text::kMissingInController));
  for (std::size_t i = inFile; i < inController; ++i)
    lines.push_back(Cat(name(i), text::kMissingInFile));
}

// ---- tags ----------------------------------------------------------------------

std::uint32_t TagKey(const TagRecord& record) {
  return static_cast<std::uint32_t>(record[0] << 16 | record[1] << 8 | record[2]);
}

std::string TagName(const TagRecord& record) {
  return Cat(text::kTagRecord, TagNumberText(record));
}

void CompareTag(Lines& lines, const TagRecord& controller, const TagRecord& file) {
  const std::string name = TagName(file);
  Compare(lines, name, text::kPortsField, HexByte(controller[tag_record::kEnabledPorts]),
          HexByte(file[tag_record::kEnabledPorts]));
  Compare(lines, name, text::kGroupField, Padded(controller[tag_record::kGroup], 3),
          Padded(file[tag_record::kGroup], 3));
}

std::vector<TagRecord> RecordsOf(const TagListReading& list) {
  std::vector<TagRecord> records;
  records.reserve(static_cast<std::size_t>(list.layout.count));
  for (int i = 0; i < list.layout.count; ++i) records.push_back(TagRecordOfImage(list.image, i));
  return records;
}

// The byte after every third record; an upload writes 0x00 there.
void CompareFillers(Lines& lines, const TagListReading& controller, const TagListReading& file) {
  using namespace tag_record;
  for (int last = kPerLine - 1; last < controller.layout.count; last += kPerLine) {
    const auto at = static_cast<std::size_t>(TagRecordAddress(0, last) + kSize);
    const std::uint8_t expected = at < file.image.size() ? file.image[at] : 0x00;
    Compare(lines, Cat(text::kTagFiller, TagNumberText(TagRecordOfImage(controller.image, last))),
            {}, HexByte(controller.image[at]), HexByte(expected));
  }
}

}  // namespace

std::vector<std::string> RulesDifferences(const RulesReading& controller, const RulesReading& files,
                                          RulesTables compared) {
  using namespace stack_header;
  Lines lines;
  const StackHeader& c = controller.header;
  const StackHeader& f = files.header;
  if (compared.holidays) {
    Compare(lines, text::kHolidayCount, {}, std::to_string(c[kHolidayCount]),
            std::to_string(f[kHolidayCount]));
  }
  if (compared.groups) {
    Compare(lines, text::kGroupCount, {}, std::to_string(c[kGroupCount]),
            std::to_string(f[kGroupCount]));
  }
  if (compared.holidays || compared.groups) {
    Compare(lines, text::kHolidayTableAddress, {}, WordText(&c[kHolidayTable]),
            WordText(&f[kHolidayTable]));
    Compare(lines, text::kGroupTableAddress, {}, WordText(&c[kGroupTable]),
            WordText(&f[kGroupTable]));
    Compare(lines, text::kReservedHeaderBytes, {}, WordText(&c[kReserved]),
            WordText(&f[kReserved]));
  }
  if (compared.holidays) {
    CompareTables<HolidayRecord>(lines, text::kHolidayRecord, controller.holidays, files.holidays,
                                 CompareHoliday);
  }
  if (compared.groups) {
    CompareTables<GroupRecord>(lines, text::kGroupRecord, controller.groups, files.groups,
                               CompareGroup);
  }
  return lines;
}

std::vector<std::string> TagListDifferences(const TagListReading& controller,
                                            const TagListReading& files) {
  Lines lines;
  Compare(lines, text::kTagListAddress, {}, WordText(controller.layout.start),
          WordText(files.layout.start));
  Compare(lines, text::kTagCount, {}, std::to_string(controller.layout.count),
          std::to_string(files.layout.count));

  const std::vector<TagRecord> inController = RecordsOf(controller);
  const std::vector<TagRecord> inFile = RecordsOf(files);
  // Each number's places in the controller, taken in order, so that a tag the
  // file holds twice meets the controller's second copy the second time.
  std::unordered_map<std::uint32_t, std::deque<std::size_t>> places;
  for (std::size_t j = 0; j < inController.size(); ++j)
    places[TagKey(inController[j])].push_back(j);

  const std::size_t before = lines.size();
  std::vector<bool> matched(inController.size(), false);
  std::optional<std::size_t> outOfPlace;
  for (std::size_t i = 0; i < inFile.size(); ++i) {
    auto found = places.find(TagKey(inFile[i]));
    if (found == places.end() || found->second.empty()) {
      lines.push_back(Cat(TagName(inFile[i]), text::kMissingInController));
      continue;
    }
    const std::size_t j = found->second.front();
    found->second.pop_front();
    matched[j] = true;
    if (j != i && !outOfPlace) outOfPlace = i;
    CompareTag(lines, inController[j], inFile[i]);
  }
  for (std::size_t j = 0; j < inController.size(); ++j) {
    if (!matched[j]) lines.push_back(Cat(TagName(inController[j]), text::kMissingInFile));
  }
  if (lines.size() == before && outOfPlace && inFile.size() == inController.size()) {
    lines.push_back(Cat(text::kTagOrder, std::to_string(*outOfPlace + 1)));
  }
  CompareFillers(lines, controller, files);
  return lines;
}

}  // namespace zm48d::ops
