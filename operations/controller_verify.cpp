#include "operations/controller_verify.h"

#include <algorithm>
#include <optional>

#include "files/file_formats.h"
#include "files/line_file.h"
#include "operations/controller_readback.h"
#include "operations/operator_texts.h"
#include "operations/readable_errors.h"
#include "operations/readback_differences.h"
#include "protocol/rules_image.h"
#include "protocol/tag_image.h"

namespace zm48d::ops {

namespace {

// One chosen file, loaded, with the whole number on its count line.
struct ChosenFile {
  LineList lines;
  int count = 0;
};

struct ChosenFiles {
  std::optional<ChosenFile> holidays, groups, tags;

  ReadBackParts Parts() const { return {holidays.has_value(), groups.has_value(), tags.has_value()}; }
};

// Nothing when no file was chosen; throws the runtime's errors.
std::optional<ChosenFile> LoadChosen(const std::string& path) {
  if (path.empty()) return std::nullopt;
  return ChosenFile{LoadLines(path), 0};
}

bool HeadersMatch(const ChosenFiles& files) {
  const auto matches = [](const std::optional<ChosenFile>& file, std::string_view header) {
    return !file || HasHeaderAndCount(file->lines, header);
  };
  return matches(files.holidays, kHolidaysHeader) && matches(files.groups, kGroupsHeader) &&
         matches(files.tags, kTagListHeader);
}

// Reads the counts and says whether the uploads would take them: one byte each
// in the header with the tables within the area, a tag list within the
// settings space.
bool CountsFit(ChosenFiles& files) {
  for (auto* file : {&files.holidays, &files.groups, &files.tags}) {
    if (*file) (*file)->count = CountLineValue((*file)->lines);
  }
  if (!RulesFit(files.holidays ? files.holidays->count : 0, files.groups ? files.groups->count : 0)) {
    return false;
  }
  if (!files.tags) return true;
  const int tags = files.tags->count;
  return tags >= 0 && TagListFits(TagListStart, TagListImageSize(static_cast<std::size_t>(tags)));
}

// What the uploads would write from the files, in the shape of a reading.
struct Expected {
  RulesReading rules;
  std::optional<TagListReading> tags;
};

// The tables and the tag list, built before the port is opened, so that a
// file short of its count ends the verify without a port cycle.
Expected BuildExpected(const ChosenFiles& files) {
  Expected expected;
  if (files.holidays) expected.rules.holidays = BuildHolidayTable(files.holidays->lines, files.holidays->count);
  if (files.groups) expected.rules.groups = BuildGroupTable(files.groups->lines, files.groups->count);
  if (files.tags) {
    expected.tags = TagListReading{{TagListStart, files.tags->count},
                                   BuildTagListImage(files.tags->lines, files.tags->count)};
  }
  return expected;
}

// The header the rules upload would write; a rules file left out counts as the
// controller's own table, so that only the chosen ones are compared.
void PlaceHeader(RulesReading& expected, const ChosenFiles& files, const RulesLayout& controller) {
  const int h = files.holidays ? files.holidays->count : controller.holidayCount;
  const int g = files.groups ? files.groups->count : controller.groupCount;
  const StackHeaderBytes header = BuildStackHeaderBytes(h, g);
  std::copy(header.begin(), header.end(), expected.header.begin());
}

}  // namespace

VerifyResult VerifyController(const Session& session, const ConfigurationFiles& paths) {
  VerifyResult result;
  if (paths.holidays.empty() && paths.groups.empty() && paths.tags.empty()) {
    session.Fail(text::kChooseFiles);
    return result;
  }
  ChosenFiles files{LoadChosen(paths.holidays), LoadChosen(paths.groups), LoadChosen(paths.tags)};
  if (!HeadersMatch(files)) {
    session.Fail(text::kIncompatibleFiles);
    return result;
  }
  if (!WithReadableErrors([&] { return CountsFit(files); })) {
    session.Fail(text::kFilesTooLarge);
    return result;
  }
  Expected expected = WithReadableErrors([&] { return BuildExpected(files); });

  const ReadBackParts parts = files.Parts();
  const auto contents = ReadControllerBack(session, parts);
  if (!contents) return result;

  if (parts.holidays || parts.groups) {
    PlaceHeader(expected.rules, files, contents->rules.layout);
    result.differences = RulesDifferences(contents->rules, expected.rules, {parts.holidays, parts.groups});
  }
  if (expected.tags) {
    const auto tagLines = TagListDifferences(contents->tags, *expected.tags);
    result.differences.insert(result.differences.end(), tagLines.begin(), tagLines.end());
  }
  result.outcome = result.differences.empty() ? VerifyOutcome::kEqual : VerifyOutcome::kDifferent;
  if (result.outcome == VerifyOutcome::kEqual) session.Note(text::kVerifyEqual);
  return result;
}

std::string DifferenceCountText(std::size_t count) {
  return std::to_string(count) + std::string(count == 1 ? text::kOneDifference : text::kDifferences);
}

}  // namespace zm48d::ops
