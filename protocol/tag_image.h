#pragma once
// The tag list as the controller keeps it in its settings space: 5-byte
// TagRecords packed three to a 16-byte line (15 bytes and a 0x00 filler),
// sent in 128-byte pages.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "protocol/line_file.h"

namespace zm48d {

inline constexpr int TagRecordSize = 5;
inline constexpr int TagRecordsPerLine = 3;
inline constexpr int TagPageSize = 128;

using TagRecord = std::array<std::uint8_t, TagRecordSize>;
using TagPage = std::array<std::uint8_t, TagPageSize>;

// Tag bytes and port mask from the hexadecimal pairs at 1-2, 3-4, 5-6 and 8-9;
// the group (low 8 bits) from the decimal field at 11-13. Characters past the
// end of the line are absent: a short hexadecimal field keeps the digits present
// (none gives 0x00); a group field cut short is read as the digits present, and
// an empty one throws ConversionError, just as the runtime refuses an empty
// number.
TagRecord TagRecordFromLine(std::string_view line);

// 5·N + N/3 bytes for the data lines 2 .. N+1 of `file`. Throws ListIndexError
// at the first missing data line. N <= 0 gives an empty image.
std::vector<std::uint8_t> BuildTagListImage(const LineList& file, int count);

// The image cut into 128-byte pages, the last one filled up with 0x00.
std::vector<TagPage> SplitIntoPages(const std::vector<std::uint8_t>& image);

// True when every page of the image lies within the 16-bit settings space,
// i.e. the last page ends at or before 0xFFFF.
bool TagListFits(std::uint16_t start, std::size_t imageBytes);

}  // namespace zm48d
