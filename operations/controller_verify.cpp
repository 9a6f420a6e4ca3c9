#include "operations/controller_verify.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

#include "files/file_formats.h"
#include "files/line_file.h"
#include "files/runtime_errors.h"
#include "operations/controller_readback.h"
#include "operations/operator_texts.h"
#include "operations/readable_errors.h"
#include "operations/readback_differences.h"
#include "operations/upload_refusal_text.h"
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

  ReadBackParts Parts() const {
    return {holidays.has_value(), groups.has_value(), tags.has_value()};
  }
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

// Reads the counts, naming the file whose count line is no number.
void ReadCounts(ChosenFiles& files, const ConfigurationFiles& paths) {
  const auto read = [](std::optional<ChosenFile>& file, const std::string& path) {
    if (file) file->count = ReadingFile(path, [&] { return CountLineValue(file->lines); });
  };
  read(files.holidays, paths.holidays);
  read(files.groups, paths.groups);
  read(files.tags, paths.tags);
}

// What the uploads would refuse in the counts: none below 0; one byte each in
// the header with the tables within the area; a tag list within the settings
// space. A file left out counts as empty.
UploadRefusal CountRefusal(const ChosenFiles& files) {
  const int h = files.holidays ? files.holidays->count : 0;
  const int g = files.groups ? files.groups->count : 0;
  if (h < 0) return UploadRefusal::kHolidaysCount;
  if (g < 0) return UploadRefusal::kGroupsCount;
  if (files.tags && files.tags->count < 0) return UploadRefusal::kTagsCount;
  if (!RulesFit(h, g)) return UploadRefusal::kRulesTooLarge;
  if (files.tags &&
      !TagListFits(TagListStart, TagListImageSize(static_cast<std::size_t>(files.tags->count)))) {
    return UploadRefusal::kTagsTooLarge;
  }
  return UploadRefusal::kNone;
}

// A negative count is a file no editor writes; a large one is too much for
// the controller.
std::string_view CountFailureText(UploadRefusal refusal) {
  const bool tooLarge =
      refusal == UploadRefusal::kRulesTooLarge || refusal == UploadRefusal::kTagsTooLarge;
  return tooLarge ? text::kFilesTooLarge : text::kIncompatibleFiles;
}

// What the uploads would write from the files, in the shape of a reading.
struct Expected {
  RulesReading rules;
  std::optional<TagListReading> tags;
};

// The tables and the tag list, built before the port is opened, so that a
// file short of its count ends the verify without a port cycle.
Expected BuildExpected(const ChosenFiles& files, const ConfigurationFiles& paths) {
  Expected expected;
  if (const auto& h = files.holidays) {
    expected.rules.holidays =
        ReadingFile(paths.holidays, [&] { return BuildHolidayTable(h->lines, h->count); });
  }
  if (const auto& g = files.groups) {
    expected.rules.groups =
        ReadingFile(paths.groups, [&] { return BuildGroupTable(g->lines, g->count); });
  }
  if (const auto& t = files.tags) {
    expected.tags = TagListReading{{TagListStart, t->count}, ReadingFile(paths.tags, [&] {
                                     return BuildTagListImage(t->lines, t->count);
                                   })};
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
  WithReadableErrors([&] { ReadCounts(files, paths); });
  if (const UploadRefusal refusal = CountRefusal(files); refusal != UploadRefusal::kNone) {
    session.Fail(CountFailureText(refusal));
    session.Explain(UploadRefusalText(refusal, paths));
    return result;
  }
  Expected expected = WithReadableErrors([&] { return BuildExpected(files, paths); });

  const ReadBackParts parts = files.Parts();
  const auto contents = ReadControllerBack(session, parts);
  if (!contents) return result;

  if (parts.holidays || parts.groups) {
    PlaceHeader(expected.rules, files, contents->rules.layout);
    result.differences =
        RulesDifferences(contents->rules, expected.rules, {parts.holidays, parts.groups});
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
  return std::to_string(count) +
         std::string(count == 1 ? text::kOneDifference : text::kDifferences);
}

}  // namespace zm48d::ops
