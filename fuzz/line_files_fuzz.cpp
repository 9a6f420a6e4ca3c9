// The line-file reader and the two images built from the files: any bytes read
// as a file split into lines that join back to the same lines, and build a tag
// list image, a rules image and their records, or end with the runtime's error
// for a count that is no number or a missing line, never anything else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/file_formats.h"
#include "files/line_file.h"
#include "files/runtime_errors.h"
#include "fuzz/fuzz_check.h"
#include "protocol/rules_image.h"
#include "protocol/tag_image.h"

namespace zm48d::fuzz {
namespace {

// The runtime's two errors of a file are expected outcomes; anything else
// escapes and is a finding.
template <class Body>
void ExpectingFileErrors(Body body) {
  try {
    body();
  } catch (const ConversionError&) {
  } catch (const ListIndexError&) {
  }
}

void CheckLines(const LineList& lines) {
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
  }
  FUZZ_CHECK(SplitLines(JoinLines(lines)).lines() == lines.lines());
}

void CheckTagImage(const LineList& lines) {
  ExpectingFileErrors([&] {
    const int count = StrToInt(lines.at(kCountLineIndex));
    const auto image = BuildTagListImage(lines, count);
    if (count > 0) FUZZ_CHECK(image.size() == 5u * count + count / 3);
    const auto pages = SplitIntoPages(image);
    FUZZ_CHECK(pages.size() * kPageSize >= image.size() &&
               pages.size() * kPageSize < image.size() + kPageSize);
    (void)TagListFits(TagListStart, image.size());
  });
}

void CheckRulesImage(const LineList& lines) {
  ExpectingFileErrors([&] {
    const RulesImage image = BuildRulesImage(lines, lines);
    FUZZ_CHECK(image.holidays.size() % HolidayRecordSize == 0);
    FUZZ_CHECK(image.groups.size() % GroupRecordSize == 0);
  });
  for (const std::string& line : lines) {
    (void)HolidayRecordFromLine(line);
    ExpectingFileErrors([&] { (void)TagRecordFromLine(line); });
    const GroupRecord group = GroupRecordFromLine(line);
    FUZZ_CHECK(group.back() <= 1);  // the holiday flag
  }
}

}  // namespace
}  // namespace zm48d::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zm48d;
  const LineList lines = SplitLines(fuzz::AsText({data, size}));
  fuzz::CheckLines(lines);
  fuzz::CheckTagImage(lines);
  fuzz::CheckRulesImage(lines);
  (void)StackSpace(lines.size(), static_cast<long long>(size));
  return 0;
}
