#pragma once
// Tag numbers taken from the controller's event stack, so that tags just shown at
// a reader can be registered without typing their numbers: the tag of the newest
// record ("Último") or those of the oldest waiting records ("Montar lista com os
// últimos "x" tags lidos"). The stack itself is not changed.
#include <optional>
#include <string>
#include <vector>

#include "protocol/event_record.h"
#include "protocol/link_state.h"

namespace zm48d {

enum class StackTagsOutcome {
  kRead,              // `tags` holds the tag numbers
  kNoRecords,         // "Não existem registros a serem lidos!!"
  kRecordReadFailed,  // "Não foi possível ler os dados da eeprom!!"
};

struct StackTags {
  StackTagsOutcome outcome = StackTagsOutcome::kNoRecords;
  std::vector<std::string> tags;  // "12AB05": bytes 0..2 of each record, oldest first
};

// Start and top of the stack from its header (16 bytes at EEPROM address 0);
// nullopt when the header cannot be read.
std::optional<StackPointers> ReadStackPointers(LinkState& link);

// The tag of the newest record, the 10 bytes below the top. A stack whose start is
// not below its top (empty, wrapped or damaged) has no records to offer.
StackTags ReadNewestTag(LinkState& link, StackPointers pointers);

// The tags of the `count` oldest waiting records, or of every waiting record when
// `count` is not below their number. A count below 1 asks for nothing; a top below
// the start cannot be read as one range and counts as a failed read.
StackTags ReadOldestTags(LinkState& link, StackPointers pointers, int count);

}  // namespace zm48d
