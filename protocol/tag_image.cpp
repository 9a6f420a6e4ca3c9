#include "protocol/tag_image.h"

#include <algorithm>

#include "protocol/file_headers.h"
#include "protocol/hex_text.h"
#include "protocol/runtime_errors.h"

namespace zm48d {

namespace {

std::uint8_t HexField(std::string_view line, FieldSpan span) {
  return static_cast<std::uint8_t>(HexTextToInt(Field(line, span)) & 0xFF);
}

std::size_t ImageSize(std::size_t count) {
  return TagRecordSize * count + count / TagRecordsPerLine;
}

// A group field wholly past the end of a short line is absent and gives 0; one
// that is there but holds no whole number is a conversion error.
std::uint8_t GroupField(std::string_view line) {
  const std::string_view group = Field(line, tag_line::Group);
  return group.empty() ? 0 : static_cast<std::uint8_t>(StrToInt(group) & 0xFF);
}

}  // namespace

TagRecord TagRecordFromLine(std::string_view line) {
  return {HexField(line, tag_line::TagByte(0)), HexField(line, tag_line::TagByte(1)),
          HexField(line, tag_line::TagByte(2)), HexField(line, tag_line::Ports),
          GroupField(line)};
}

std::vector<std::uint8_t> BuildTagListImage(const LineList& file, int count) {
  std::vector<std::uint8_t> image;
  if (count <= 0) return image;
  // Reserve only what the file can hold: a huge count runs into the missing
  // line long before it would fill a buffer of its size.
  const auto available = static_cast<std::size_t>(std::max(file.size() - FirstDataLineIndex, 0));
  image.reserve(ImageSize(std::min(static_cast<std::size_t>(count), available)));

  for (int i = 0; i < count; ++i) {
    const TagRecord record = TagRecordFromLine(file.at(FirstDataLineIndex + static_cast<long long>(i)));
    image.insert(image.end(), record.begin(), record.end());
    if ((i + 1) % TagRecordsPerLine == 0) image.push_back(0x00);
  }
  return image;
}

std::vector<TagPage> SplitIntoPages(const std::vector<std::uint8_t>& image) {
  std::vector<TagPage> pages;
  pages.reserve((image.size() + TagPageSize - 1) / TagPageSize);
  for (std::size_t offset = 0; offset < image.size(); offset += TagPageSize) {
    TagPage page{};
    const std::size_t chunk = std::min<std::size_t>(TagPageSize, image.size() - offset);
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(offset), chunk, page.begin());
    pages.push_back(page);
  }
  return pages;
}

bool TagListFits(std::uint16_t start, std::size_t imageBytes) {
  if (imageBytes > 0x10000) return false;
  const std::size_t pages = (imageBytes + TagPageSize - 1) / TagPageSize;
  return start + pages * TagPageSize <= 0x10000;
}

}  // namespace zm48d
