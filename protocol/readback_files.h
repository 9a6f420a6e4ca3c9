#pragma once
// The three text files that give a controller back what it was read to hold:
// sent with the uploads, their images are the tables and the tag list they were
// made from. Windows-1252 lines as the editors write them, with empty
// descriptions and groups numbered by their place in the table.
#include <cstdint>
#include <span>

#include "files/line_file.h"

namespace zm48d {

// `table` holds HolidayRecordSize bytes a holiday, `GroupRecordSize` a group.
LineList HolidaysFileOf(std::span<const std::uint8_t> table);
LineList GroupsFileOf(std::span<const std::uint8_t> table);
// `image` holds the packed records of `count` tags.
LineList TagListFileOf(std::span<const std::uint8_t> image, int count);

}  // namespace zm48d
