#include "protocol/memory_readback.h"

#include <algorithm>
#include <cstddef>

#include "protocol/big_endian.h"
#include "protocol/event_stack.h"
#include "protocol/memory.h"
#include "protocol/tag_image.h"

namespace zm48d {

namespace {

bool WithinArea(int address, int size) { return address + size <= EepromAreaSize; }

// An empty table needs no frame (ReadEeprom refuses a length of 0).
bool ReadTable(LinkState& link, int address, int size, std::vector<std::uint8_t>& table,
               LinkStatus& status) {
  table.assign(static_cast<std::size_t>(size), 0);
  return size == 0 || ReadEeprom(link, address, size, table.data(), status);
}

}  // namespace

std::optional<RulesLayout> RulesLayoutOf(const StackHeader& header) {
  using namespace stack_header;
  const RulesLayout layout{header[kHolidayCount], GetWord(&header[kHolidayTable]),
                           header[kGroupCount], GetWord(&header[kGroupTable])};
  if (!WithinArea(layout.holidayTable, HolidayRecordSize * layout.holidayCount) ||
      !WithinArea(layout.groupTable, GroupRecordSize * layout.groupCount)) {
    return std::nullopt;
  }
  return layout;
}

std::optional<TagListLayout> TagListLayoutOf(const Page& configBlock) {
  const TagListLayout layout{GetWord(&configBlock[config_block::kTagListAddress]),
                             GetWord(&configBlock[config_block::kTagCount])};
  if (!TagListFits(layout.start, TagListImageSize(static_cast<std::size_t>(layout.count)))) {
    return std::nullopt;
  }
  return layout;
}

ReadBackOutcome ReadRulesBack(LinkState& link, RulesTables tables, RulesReading& reading,
                              LinkStatus& status) {
  if (!ReadStackHeader(link, reading.header, status)) return ReadBackOutcome::kTransferFailed;
  const auto layout = RulesLayoutOf(reading.header);
  if (!layout) return ReadBackOutcome::kOutsideMemory;
  reading.layout = *layout;
  const int holidayBytes = tables.holidays ? HolidayRecordSize * layout->holidayCount : 0;
  const int groupBytes = tables.groups ? GroupRecordSize * layout->groupCount : 0;
  if (!ReadTable(link, layout->holidayTable, holidayBytes, reading.holidays, status) ||
      !ReadTable(link, layout->groupTable, groupBytes, reading.groups, status)) {
    return ReadBackOutcome::kTransferFailed;
  }
  return ReadBackOutcome::kRead;
}

ReadBackOutcome ReadTagListBack(LinkState& link, TagListReading& reading, LinkStatus& status) {
  Page page{};
  if (!ReadConfigBlock(link, page, status)) return ReadBackOutcome::kTransferFailed;
  const auto layout = TagListLayoutOf(page);
  if (!layout) return ReadBackOutcome::kOutsideMemory;
  reading.layout = *layout;

  const std::size_t size = TagListImageSize(static_cast<std::size_t>(layout->count));
  reading.image.clear();
  reading.image.reserve(size);
  const int pages = static_cast<int>((size + kPageSize - 1) / kPageSize);
  for (int k = 0, address = layout->start; k < pages; ++k, address += kPageSize) {
    if (!ReadPage(link, address, page, status)) return ReadBackOutcome::kTransferFailed;
    link.ReportProgress(BulkTransfer::kTagListRead, k + 1, pages);
    const std::size_t chunk = std::min<std::size_t>(kPageSize, size - reading.image.size());
    reading.image.insert(reading.image.end(), page.begin(),
                         page.begin() + static_cast<long>(chunk));
  }
  return ReadBackOutcome::kRead;
}

}  // namespace zm48d
