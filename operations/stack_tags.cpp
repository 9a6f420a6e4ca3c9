#include "operations/stack_tags.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "operations/operator_texts.h"
#include "operations/progress_report.h"
#include "protocol/event_record.h"
#include "protocol/event_stack.h"
#include "protocol/memory.h"

namespace zm48d::ops {

namespace {

std::optional<StackPointers> ReadStackPointers(LinkState& link) {
  StackHeader header{};
  LinkStatus status = link_status::kOk;
  if (!ReadStackHeader(link, header, status)) return std::nullopt;
  return ParseStackPointers(header.data());
}

bool ReadRecords(LinkState& link, int address, int length, std::vector<std::uint8_t>& bytes) {
  bytes.assign(static_cast<std::size_t>(length), 0);
  LinkStatus status = link_status::kOk;
  return ReadEeprom(link, address, length, bytes.data(), status);
}

// The length of the oldest records to read as one range from the start: `count`
// whole records when fewer than are waiting, otherwise everything up to the top
// (a partial record there is read but not shown). Nothing for a damaged header.
std::optional<int> OldestRange(StackPointers pointers, int count) {
  const std::optional<int> waiting = WaitingBytes(pointers);
  if (!waiting) return std::nullopt;
  const int wanted = count < 0 ? 0 : count;
  return wanted < WaitingRecords(*waiting) ? wanted * EventRecordSize : *waiting;
}

// The first steps both buttons share: the port cycle, then the stack header.
template <class Body>
bool WithStackPointers(const Session& session, std::string_view headerFailure, Body body) {
  const PortCycle port(session, text::kOpenSerialFailed);
  if (!port) return false;
  const ProgressReport progress(session, text::kReadingRecords);
  const auto pointers = ReadStackPointers(session.link);
  if (!pointers) {
    session.Fail(headerFailure);
    return false;
  }
  return body(*pointers);
}

}  // namespace

bool TakeNewestTag(const Session& session, const Deliver<std::string>& deliver,
                   std::string_view headerFailure) {
  return WithStackPointers(session, headerFailure, [&](StackPointers pointers) {
    // Fewer than ten bytes waiting hold no whole record: the ten bytes below the
    // top would begin below the stack's start.
    const std::optional<int> waiting = WaitingBytes(pointers);
    if (!waiting || WaitingRecords(*waiting) == 0) {
      session.Fail(text::kNoRecords);
      return false;
    }
    std::vector<std::uint8_t> record;
    if (!ReadRecords(session.link, pointers.top - EventRecordSize, EventRecordSize, record)) {
      session.Fail(text::kStackReadFailed);
      return false;
    }
    deliver(TagText(record.data()));
    return true;
  });
}

bool TakeOldestTags(const Session& session, const Values<int>& count,
                    const Deliver<std::vector<std::string>>& deliver,
                    std::string_view headerFailure) {
  return WithStackPointers(session, headerFailure, [&](StackPointers pointers) {
    const std::optional<int> length = OldestRange(pointers, count());
    if (length && WaitingRecords(*length) == 0) {  // nothing asked, or a partial record alone
      session.Fail(text::kNoRecords);
      return false;
    }
    std::vector<std::uint8_t> bytes;
    if (!length || !ReadRecords(session.link, pointers.start, *length, bytes)) {
      session.Fail(text::kStackReadFailed);
      return false;
    }
    std::vector<std::string> tags;
    for (int k = 0; k < WaitingRecords(*length); ++k) {
      tags.push_back(TagText(bytes.data() + k * EventRecordSize));
    }
    deliver(tags);
    return true;
  });
}

}  // namespace zm48d::ops
