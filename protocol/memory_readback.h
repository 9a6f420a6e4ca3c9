#pragma once
// Reading back what a controller holds, with its read commands only: the stack
// header and the two rules tables from the EEPROM space, the configuration
// block and the tag list pages from the settings space. Nothing is written, the
// event stack is left as it is and no notice is sent. The caller holds the port
// open.
//
// The header and the configuration block say where the tables lie and how long
// they are. A description that runs past the 2048-byte rules area, or a tag
// list that runs past the end of the settings space, is refused before any
// table is read, so a damaged header never sends the terminal reading memory
// the tables do not own.
#include <cstdint>
#include <optional>
#include <vector>

#include "protocol/link_state.h"
#include "protocol/memory_map.h"

namespace zm48d {

// Where the stack header puts the two tables.
struct RulesLayout {
  int holidayCount = 0;
  std::uint16_t holidayTable = 0;
  int groupCount = 0;
  std::uint16_t groupTable = 0;
};

// Nothing when either table reaches past EepromAreaSize.
std::optional<RulesLayout> RulesLayoutOf(const StackHeader& header);

// Where the configuration block puts the tag list.
struct TagListLayout {
  std::uint16_t start = 0;
  int count = 0;
};

// Nothing when the pages holding the list reach past 0xFFFF.
std::optional<TagListLayout> TagListLayoutOf(const Page& configBlock);

struct RulesReading {
  StackHeader header{};
  RulesLayout layout;
  std::vector<std::uint8_t> holidays;  // HolidayRecordSize bytes a holiday
  std::vector<std::uint8_t> groups;    // GroupRecordSize bytes a group
};

struct TagListReading {
  TagListLayout layout;
  std::vector<std::uint8_t> image;  // TagListImageSize(count) bytes, fillers included
};

enum class ReadBackOutcome {
  kRead,
  kTransferFailed,  // a frame failed; the status holds its code
  kOutsideMemory,   // the header or configuration block describes memory past its area
};

// Which tables to read with the header; a table left out stays empty.
struct RulesTables {
  bool holidays = true;
  bool groups = true;
};

ReadBackOutcome ReadRulesBack(LinkState& link, RulesTables tables, RulesReading& reading,
                              LinkStatus& status);

// The configuration block, then the pages the list lies in, whole pages as the
// settings space is read; the image keeps the list's bytes only.
ReadBackOutcome ReadTagListBack(LinkState& link, TagListReading& reading, LinkStatus& status);

}  // namespace zm48d
