#include "protocol/tag_image.h"

#include <algorithm>
#include <cstdio>

#include "files/file_formats.h"
#include "files/runtime_errors.h"
#include "protocol/hex_text.h"

namespace zm48d {

namespace {

std::uint8_t HexField(std::string_view line, FieldSpan span) {
  return static_cast<std::uint8_t>(HexTextToInt(Field(line, span)) & 0xFF);
}

// A group field wholly past the end of a short line is absent and gives 0; one
// that is there but holds no whole number is a conversion error.
std::uint8_t GroupField(std::string_view line) {
  const std::string_view group = Field(line, tag_line::kGroup);
  return group.empty() ? 0 : static_cast<std::uint8_t>(StrToInt(group) & 0xFF);
}

}  // namespace

std::size_t TagListImageSize(std::size_t count) {
  return tag_record::kSize * count + count / tag_record::kPerLine;
}

TagRecord TagRecordOfImage(std::span<const std::uint8_t> image, int index) {
  TagRecord record{};
  std::copy_n(image.begin() + TagRecordAddress(0, index), tag_record::kSize, record.begin());
  return record;
}

std::string TagNumberText(const TagRecord& record) {
  std::string text;
  for (int i = 0; i < tag_record::kTagBytes; ++i) text += HexByte(record[tag_record::kTag + i]);
  return text;
}

std::string TagLineOfRecord(const TagRecord& record) {
  char group[8];
  std::snprintf(group, sizeof group, "%03d", record[tag_record::kGroup]);
  std::string line = TagNumberText(record);
  line += kFieldSeparator;
  line += HexByte(record[tag_record::kEnabledPorts]);
  line += kFieldSeparator;
  line += group;
  line += kFieldSeparator;
  return line;
}

TagRecord TagRecordFromLine(std::string_view line) {
  return {HexField(line, tag_line::TagByte(0)), HexField(line, tag_line::TagByte(1)),
          HexField(line, tag_line::TagByte(2)), HexField(line, tag_line::kPorts), GroupField(line)};
}

std::vector<std::uint8_t> BuildTagListImage(const LineList& file, int count) {
  std::vector<std::uint8_t> image;
  if (count <= 0) return image;
  // Reserve only what the file can hold: a huge count runs into the missing
  // line long before it would fill a buffer of its size.
  const auto available = static_cast<std::size_t>(std::max(file.size() - kFirstDataLineIndex, 0));
  image.reserve(TagListImageSize(std::min(static_cast<std::size_t>(count), available)));

  for (int i = 0; i < count; ++i) {
    const TagRecord record =
        TagRecordFromLine(file.at(kFirstDataLineIndex + static_cast<long long>(i)));
    image.insert(image.end(), record.begin(), record.end());
    if ((i + 1) % tag_record::kPerLine == 0) image.push_back(0x00);
  }
  return image;
}

std::vector<Page> SplitIntoPages(const std::vector<std::uint8_t>& image) {
  std::vector<Page> pages;
  pages.reserve((image.size() + kPageSize - 1) / kPageSize);
  for (std::size_t offset = 0; offset < image.size(); offset += kPageSize) {
    Page page{};
    const std::size_t chunk = std::min<std::size_t>(kPageSize, image.size() - offset);
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(offset), chunk, page.begin());
    pages.push_back(page);
  }
  return pages;
}

bool TagListFits(std::uint16_t start, std::size_t imageBytes) {
  if (imageBytes > kAddressSpaceSize) return false;
  const std::size_t pages = (imageBytes + kPageSize - 1) / kPageSize;
  return start + pages * kPageSize <= kAddressSpaceSize;
}

}  // namespace zm48d
