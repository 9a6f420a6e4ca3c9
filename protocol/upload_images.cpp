#include "protocol/upload_images.h"

#include <utility>

#include "files/file_formats.h"
#include "files/line_file.h"
#include "files/runtime_errors.h"
#include "protocol/tag_image.h"

namespace zm48d {

namespace {

constexpr int kLargestTableCount = 0xFF;  // the header keeps each count in one byte

bool FitsCountByte(int count) { return count >= 0 && count <= kLargestTableCount; }

template <class Upload>
Upload Refused(UploadRefusal refusal) {
  Upload upload{};
  upload.refusal = refusal;
  return upload;
}

}  // namespace

UploadRefusal CheckRulesHeaders(const LineList& holidays, const LineList& groups) {
  if (!HasHeaderAndCount(holidays, kHolidaysHeader)) return UploadRefusal::kHolidaysWrongHeader;
  if (!HasHeaderAndCount(groups, kGroupsHeader)) return UploadRefusal::kGroupsWrongHeader;
  return UploadRefusal::kNone;
}

RulesUpload BuildRulesUpload(const std::string& holidaysPath, const std::string& groupsPath) {
  using Refusal = UploadRefusal;
  const auto refused = Refused<RulesUpload>;
  if (!PathExists(holidaysPath)) return refused(Refusal::kHolidaysMissing);
  if (!PathExists(groupsPath)) return refused(Refusal::kGroupsMissing);
  const LineList holidays = LoadLines(holidaysPath);
  const LineList groups = LoadLines(groupsPath);
  if (const UploadRefusal wrong = CheckRulesHeaders(holidays, groups); wrong != Refusal::kNone) {
    return refused(wrong);
  }
  // Counts the one-byte header fields cannot hold, or tables reaching past the
  // area, would leave the controller with a layout that loses groups or
  // overwrites memory it does not own: refused before anything is sent.
  const int h = ReadingFile(holidaysPath, [&] { return CountLineValue(holidays); });
  const int g = ReadingFile(groupsPath, [&] { return CountLineValue(groups); });
  if (!FitsCountByte(h)) return refused(Refusal::kHolidaysCount);
  if (!FitsCountByte(g)) return refused(Refusal::kGroupsCount);
  if (!RulesFit(h, g)) return refused(Refusal::kRulesTooLarge);
  auto holidayTable = ReadingFile(holidaysPath, [&] { return BuildHolidayTable(holidays, h); });
  auto groupTable = ReadingFile(groupsPath, [&] { return BuildGroupTable(groups, g); });
  return {Refusal::kNone, RulesImageOfTables(std::move(holidayTable), std::move(groupTable))};
}

TagListUpload BuildTagListUpload(int startAddress, const std::string& path) {
  using Refusal = UploadRefusal;
  const auto refused = Refused<TagListUpload>;
  if (!PathExists(path)) return refused(Refusal::kTagsMissing);
  const LineList file = LoadLines(path);
  if (!HasHeader(file, kTagListHeader)) return refused(Refusal::kTagsWrongHeader);
  const int count = ReadingFile(path, [&] { return CountLineValue(file); });
  if (count < 0) return refused(Refusal::kTagsCount);
  // The whole image is built before anything is sent, so a file with fewer data
  // lines than its count leaves the controller untouched.
  TagListUpload upload{Refusal::kNone, startAddress, count,
                       ReadingFile(path, [&] { return BuildTagListImage(file, count); })};
  if (!TagListFits(static_cast<std::uint16_t>(startAddress), upload.image.size())) {
    return refused(Refusal::kTagsTooLarge);
  }
  return upload;
}

}  // namespace zm48d
