#include "protocol/event_stack.h"

#include <chrono>
#include <thread>

#include "protocol/commands.h"
#include "protocol/frames.h"
#include "protocol/memory.h"

namespace zm48d {

namespace {

constexpr int kTopByte = 10;
constexpr int kStartByte = 8;

// The records waiting on the stack, as EventLines; false when a read fails or
// the header is damaged. `found` tells whether there were records.
bool ReadWaitingLines(LinkState& link, std::vector<std::string>& lines, bool& found) {
  LinkStatus status = link_status::kOk;
  std::array<std::uint8_t, StackHeaderSize> header{};
  found = false;
  if (!ReadStackHeader(link, header, status)) return false;
  const auto waiting = WaitingBytes(ParseStackPointers(header.data()));
  if (!waiting) return false;
  if (*waiting == 0) return true;
  std::this_thread::sleep_for(std::chrono::milliseconds(kStackReadPauseMs));
  const StackPointers pointers = ParseStackPointers(header.data());
  std::vector<std::uint8_t> records(static_cast<size_t>(*waiting));
  if (!ReadEeprom(link, pointers.start, *waiting, records.data(), status)) return false;
  for (int r = 0; r < WaitingRecords(*waiting); ++r) {
    lines.push_back(EventLine(records.data() + r * EventRecordSize));
  }
  found = true;
  return true;
}

}  // namespace

bool ReadStackHeader(LinkState& link, std::array<std::uint8_t, StackHeaderSize>& header,
                     LinkStatus& status) {
  return ReadEeprom(link, 0, StackHeaderSize, header.data(), status);
}

bool SetDownloadMode(LinkState& link, bool entering) {
  LinkStatus status = link_status::kOk;
  const std::uint8_t mode[] = {static_cast<std::uint8_t>(entering ? 'E' : 'S')};
  SetRequest(link, 'B', mode);
  return Transact(link, status);
}

bool ClearEventStack(LinkState& link) {
  LinkStatus status = link_status::kOk;
  std::array<std::uint8_t, StackHeaderSize> header{};
  if (!ReadStackHeader(link, header, status)) return false;
  header[kTopByte] = header[kStartByte];
  header[kTopByte + 1] = header[kStartByte + 1];
  return WriteEeprom(link, 0, StackHeaderSize, header.data(), status);
}

bool DownloadEvents(LinkState& link, bool clearAfter, bool bracket, std::vector<std::string>& lines) {
  // A failed entry into download mode does not stop the download; it only means
  // there is no mode to leave afterwards.
  const bool entered = bracket && SetDownloadMode(link, true);
  lines.clear();
  bool found = false;
  bool result = ReadWaitingLines(link, lines, found);
  if (!result) lines.clear();
  if (result && found) {
    if (clearAfter) result = ClearEventStack(link);
    LinkStatus status = link_status::kOk;
    if (result) result = NotifyMemoryUpdated(link, status);
  }
  if (entered) result = SetDownloadMode(link, false) && result;
  return result;
}

}  // namespace zm48d
