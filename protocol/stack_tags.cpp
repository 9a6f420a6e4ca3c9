#include "protocol/stack_tags.h"

#include <array>
#include <cstdint>

#include "protocol/event_stack.h"
#include "protocol/hex_text.h"
#include "protocol/memory.h"

namespace zm48d {

namespace {

// The tag number is the first three bytes of a record, most significant first.
std::string TagOf(const std::uint8_t* record) {
  return HexByte(record[0]) + HexByte(record[1]) + HexByte(record[2]);
}

StackTags Failed() { return {StackTagsOutcome::kRecordReadFailed, {}}; }

}  // namespace

std::optional<StackPointers> ReadStackPointers(LinkState& link) {
  std::array<std::uint8_t, StackHeaderSize> header{};
  LinkStatus status = link_status::kOk;
  if (!ReadStackHeader(link, header, status)) return std::nullopt;
  return ParseStackPointers(header.data());
}

StackTags ReadNewestTag(LinkState& link, StackPointers pointers) {
  if (pointers.start >= pointers.top) return {StackTagsOutcome::kNoRecords, {}};
  std::array<std::uint8_t, EventRecordSize> record{};
  LinkStatus status = link_status::kOk;
  if (!ReadEeprom(link, pointers.top - EventRecordSize, EventRecordSize, record.data(), status)) {
    return Failed();
  }
  return {StackTagsOutcome::kRead, {TagOf(record.data())}};
}

// The oldest records are read as one range from the start: `count` whole records
// when fewer than are waiting, otherwise everything up to the top (a partial record
// there is read but not shown).
StackTags ReadOldestTags(LinkState& link, StackPointers pointers, int count) {
  const std::optional<int> waiting = WaitingBytes(pointers);
  if (!waiting) return Failed();
  const int wanted = count < 0 ? 0 : count;
  const int length = wanted < WaitingRecords(*waiting) ? wanted * EventRecordSize : *waiting;
  if (length == 0) return {StackTagsOutcome::kNoRecords, {}};

  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  LinkStatus status = link_status::kOk;
  if (!ReadEeprom(link, pointers.start, length, bytes.data(), status)) return Failed();
  StackTags result{StackTagsOutcome::kRead, {}};
  for (int k = 0; k < WaitingRecords(length); ++k) {
    result.tags.push_back(TagOf(bytes.data() + k * EventRecordSize));
  }
  return result;
}

}  // namespace zm48d
