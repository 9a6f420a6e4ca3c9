#pragma once
// Loading the controller's memory from the text files: the access rules (stack
// header, holiday table, group table in the EEPROM space) and the tag list (in
// the settings space). The caller holds the port open.
#include <string>

#include "protocol/link_state.h"

namespace zm48d {

// Writes the stack header, then the holiday and group tables built from the two
// files. False, with nothing sent, for a missing file, a file of fewer than two
// lines, a wrong header line, or tables that do not fit the controller's
// 2048-byte area (or hold more than 255 entries, which its header cannot count).
// A count line that is not a number, or fewer data lines than it promises, throws
// before anything is sent.
bool UploadAccessRules(LinkState& link, const std::string& holidaysPath,
                       const std::string& groupsPath, LinkStatus& status);

// Records the list's address and count in the configuration block, then writes
// the packed tag records in 128-byte pages from `startAddress`. False, with
// nothing sent, for a missing file, a wrong header line, a negative count or a
// list that would run past the end of the settings space.
bool UploadTagList(LinkState& link, int startAddress, const std::string& path, LinkStatus& status);

}  // namespace zm48d
