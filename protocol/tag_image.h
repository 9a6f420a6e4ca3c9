#pragma once
// The tag list as the controller keeps it in its settings space: 5-byte
// TagRecords packed three to a 16-byte line (15 bytes and a 0x00 filler),
// sent in 128-byte pages.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/line_file.h"
#include "protocol/memory_map.h"

namespace zm48d {

using TagRecord = std::array<std::uint8_t, tag_record::kSize>;

// Tag bytes and port mask from the hexadecimal pairs at 1-2, 3-4, 5-6 and 8-9;
// the group (low 8 bits) from the decimal field at 11-13. Characters past the
// end of the line are absent: a short hexadecimal field keeps the digits present
// (none gives 0x00), and so does a group field cut short; a group field wholly
// past the end gives 0. A group field that is there but holds no whole number
// throws ConversionError.
TagRecord TagRecordFromLine(std::string_view line);

// The image of `count` tags: 5·count + count/3 bytes.
std::size_t TagListImageSize(std::size_t count);

// Record `index` (from 0) of an image that holds it.
TagRecord TagRecordOfImage(std::span<const std::uint8_t> image, int index);

// "00A1B2": the tag number, six upper-case hexadecimal digits.
std::string TagNumberText(const TagRecord& record);

// The TagLine that gives `record` back through TagRecordFromLine, as the tag
// list editor writes it with an empty description: "00A1B2*05*001*".
std::string TagLineOfRecord(const TagRecord& record);

// 5·N + N/3 bytes for the data lines 2 .. N+1 of `file`. Throws ListIndexError
// at the first missing data line. N <= 0 gives an empty image.
std::vector<std::uint8_t> BuildTagListImage(const LineList& file, int count);

// The image cut into 128-byte pages, the last one filled up with 0x00.
std::vector<Page> SplitIntoPages(const std::vector<std::uint8_t>& image);

// True when every page of the image lies within the 16-bit settings space,
// i.e. the last page ends at or before 0xFFFF.
bool TagListFits(std::uint16_t start, std::size_t imageBytes);

}  // namespace zm48d
