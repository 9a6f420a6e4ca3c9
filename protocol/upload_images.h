#pragma once
// What an upload sends, built from the text files, and the refusals it makes
// before a single frame goes out. UploadAccessRules and UploadTagList send these
// images; `zm48d check` places them in a memory image instead, so that both see
// the same bytes and refuse the same files.
#include <cstdint>
#include <string>
#include <vector>

#include "files/line_file.h"
#include "protocol/rules_image.h"

namespace zm48d {

// Why the files cannot be sent. Each refusal names the file it comes from.
enum class UploadRefusal {
  kNone,
  kHolidaysMissing,  // nothing of that name (one that cannot be read throws)
  kGroupsMissing,
  kTagsMissing,
  kHolidaysWrongHeader,  // not its kind's first line (rules files: or no count line)
  kGroupsWrongHeader,
  kTagsWrongHeader,
  kHolidaysCount,  // a count below 0, or above the 255 the header's byte holds
  kGroupsCount,
  kTagsCount,      // a count below 0
  kRulesTooLarge,  // the tables reach past the controller's 2048-byte area
  kTagsTooLarge,   // the list runs past the end of the settings space
};

struct RulesUpload {
  UploadRefusal refusal = UploadRefusal::kNone;
  RulesImage image{};  // set when not refused
};

struct TagListUpload {
  UploadRefusal refusal = UploadRefusal::kNone;
  int start = 0;  // settings-space address of the first record
  int count = 0;  // the file's count line, which goes into the ConfigBlock
  std::vector<std::uint8_t> image;
};

// The first two lines of both rules files, as the upload and the transfer page
// test them: each file's header, then its count line.
UploadRefusal CheckRulesHeaders(const LineList& holidays, const LineList& groups);

// The stack header and both tables from the two files. A count line that is not
// a number, or fewer data lines than it promises, throws (ConversionError,
// ListIndexError, naming the file), as does a file that exists but cannot be
// read (FileError: a folder, a FIFO, a device, one too large).
RulesUpload BuildRulesUpload(const std::string& holidaysPath, const std::string& groupsPath);

// The packed tag records of the file, for a list that starts at `startAddress`.
// Throws as BuildRulesUpload does.
TagListUpload BuildTagListUpload(int startAddress, const std::string& path);

}  // namespace zm48d
