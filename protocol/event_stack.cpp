#include "protocol/event_stack.h"

#include "protocol/big_endian.h"
#include "protocol/commands.h"
#include "protocol/frames.h"
#include "protocol/memory.h"

namespace zm48d {

StackReadOutcome ReadWaitingRecords(LinkState& link, std::vector<std::uint8_t>& records) {
  records.clear();
  LinkStatus status = link_status::kOk;
  StackHeader header{};
  if (!ReadStackHeader(link, header, status)) return StackReadOutcome::kHeaderFailed;
  const StackPointers pointers = ParseStackPointers(header.data());
  const auto waiting = WaitingBytes(pointers);
  if (!waiting) return StackReadOutcome::kDamaged;
  if (*waiting == 0) return StackReadOutcome::kEmpty;
  SerialPause(link.serial, kStackReadPauseMs);
  std::vector<std::uint8_t> bytes(static_cast<size_t>(*waiting));
  if (!ReadEeprom(link, pointers.start, *waiting, bytes.data(), status)) {
    return StackReadOutcome::kRecordsFailed;
  }
  bytes.resize(static_cast<size_t>(WaitingRecords(*waiting) * EventRecordSize));
  records = std::move(bytes);
  return StackReadOutcome::kRead;
}

bool ReadStackHeader(LinkState& link, StackHeader& header,
                     LinkStatus& status) {
  return ReadEeprom(link, 0, stack_header::kSize, header.data(), status);
}

bool SetDownloadMode(LinkState& link, bool entering) {
  LinkStatus status = link_status::kOk;
  const std::uint8_t mode[] = {static_cast<std::uint8_t>(entering ? 'E' : 'S')};
  SetRequest(link, 'B', mode);
  return Transact(link, status);
}

bool ClearEventStack(LinkState& link) {
  LinkStatus status = link_status::kOk;
  StackHeader header{};
  if (!ReadStackHeader(link, header, status)) return false;
  PutWord(&header[stack_header::kStackTop], GetWord(&header[stack_header::kStackStart]));
  return WriteEeprom(link, 0, stack_header::kSize, header.data(), status);
}

bool DownloadEventRecords(LinkState& link, bool clearAfter, bool bracket,
                          std::vector<std::uint8_t>& records) {
  // A failed entry into download mode does not stop the download; it only means
  // there is no mode to leave afterwards.
  const bool entered = bracket && SetDownloadMode(link, true);
  const StackReadOutcome outcome = ReadWaitingRecords(link, records);
  bool result = outcome == StackReadOutcome::kRead || outcome == StackReadOutcome::kEmpty;
  if (outcome == StackReadOutcome::kRead) {
    if (clearAfter) result = ClearEventStack(link);
    LinkStatus status = link_status::kOk;
    if (result) result = NotifyMemoryUpdated(link, status);
  }
  if (entered) result = SetDownloadMode(link, false) && result;
  return result;
}

bool DownloadEvents(LinkState& link, bool clearAfter, bool bracket, std::vector<std::string>& lines) {
  std::vector<std::uint8_t> records;
  const bool result = DownloadEventRecords(link, clearAfter, bracket, records);
  lines.clear();
  for (size_t offset = 0; offset < records.size(); offset += EventRecordSize) {
    lines.push_back(EventLine(records.data() + offset));
  }
  return result;
}

}  // namespace zm48d
