#pragma once
// A backup replaces files the operator may have edited: the controller keeps no
// descriptions, so a tag list or holidays file read back from it has none. The
// descriptions of the file being replaced are carried over, each to the line of
// the same tag (by its number) or the same holiday (by its day and month).
// Groups are known by their place and have no description.
#include <optional>
#include <string>

#include "files/line_file.h"
#include "operations/session.h"

namespace zm48d::ops {

// A file read back, with what became of the earlier file's descriptions.
struct KeptFile {
  LineList lines;
  std::optional<DescriptionsLost> lost;  // set when the earlier file was there but not used
};

// `readBack` as read from the controller, its lines with empty descriptions;
// `earlierPath` the file it is to replace. No file there: `readBack` as it is.
// A file that cannot be read, or is not a file of its kind as an upload would
// take it (header, count line, as many data lines): `readBack` as it is, and
// why. Lines the earlier file does not hold keep their empty description.
KeptFile KeepTagDescriptions(const std::string& earlierPath, LineList readBack);
KeptFile KeepHolidayDescriptions(const std::string& earlierPath, LineList readBack);

}  // namespace zm48d::ops
