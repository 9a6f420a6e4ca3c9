#pragma once
// Tag numbers taken from the controller's event stack, so that tags just shown at
// a reader can be registered without typing their numbers: the tag of the newest
// record ("Último") or those of the oldest waiting records ("Montar lista com os
// últimos "x" tags lidos"). The stack itself is not changed.
#include <string>
#include <string_view>
#include <vector>

#include "operations/device_operations.h"
#include "operations/session.h"

namespace zm48d::ops {

// "Último": the tag of the newest record, the 10 bytes below the top. A stack
// without a whole record between its start and its top (empty, a partial
// record alone, wrapped or damaged) has no records to offer. The page says nothing when the stack
// header cannot be read; `headerFailure` is shown then.
bool TakeNewestTag(const Session& session, const Deliver<std::string>& deliver,
                   std::string_view headerFailure = {});

// "Montar lista ...": the tags of the `count` oldest waiting records, or of
// every waiting record when `count` is not below their number, oldest first.
// `count` is taken once the header has been read; a count below 1 asks for
// nothing, a partial record alone offers nothing, and a top below the start
// cannot be read as one range and counts as a failed read.
bool TakeOldestTags(const Session& session, const Values<int>& count,
                    const Deliver<std::vector<std::string>>& deliver,
                    std::string_view headerFailure = {});

}  // namespace zm48d::ops
