#include "protocol/event_stack.h"

#include <utility>

#include "protocol/big_endian.h"
#include "protocol/commands.h"
#include "protocol/frames.h"
#include "protocol/memory.h"

namespace zm48d {

StackReadOutcome ReadWaitingRecords(LinkState& link, std::vector<std::uint8_t>& records,
                                    StackPointers& pointers) {
  records.clear();
  LinkStatus status = link_status::kOk;
  StackHeader header{};
  if (!ReadStackHeader(link, header, status)) return StackReadOutcome::kHeaderFailed;
  pointers = ParseStackPointers(header.data());
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

bool ReadStackHeader(LinkState& link, StackHeader& header, LinkStatus& status) {
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

ClearOutcome ClearDownloadedStack(LinkState& link, int downloadedTop) {
  LinkStatus status = link_status::kOk;
  StackHeader header{};
  if (!ReadStackHeader(link, header, status)) return ClearOutcome::kFailed;
  if (GetWord(&header[stack_header::kStackTop]) != downloadedTop) return ClearOutcome::kStackGrew;
  PutWord(&header[stack_header::kStackTop], GetWord(&header[stack_header::kStackStart]));
  return WriteEeprom(link, 0, stack_header::kSize, header.data(), status) ? ClearOutcome::kCleared
                                                                          : ClearOutcome::kFailed;
}

namespace {

bool MayClear(const StackDownload& download, const DownloadPlan& plan, const LinkState& link) {
  return plan.clearAfter && download.kept && (!plan.bracket || download.entered) &&
         !link.StopRequested();
}

// Empties the stack when it may, then tells the controller its memory changed.
void ClearAndNotify(LinkState& link, const DownloadPlan& plan, const StackPointers& pointers,
                    StackDownload& download) {
  if (plan.clearAfter) {
    if (!MayClear(download, plan, link)) return;
    download.clearTried = true;
    const ClearOutcome outcome = ClearDownloadedStack(link, pointers.top);
    download.cleared = outcome == ClearOutcome::kCleared;
    download.grew = outcome == ClearOutcome::kStackGrew;
    if (!download.cleared) return;
  } else if (!plan.notifyAfterRead) {
    return;
  }
  LinkStatus status = link_status::kOk;
  download.notified = NotifyMemoryUpdated(link, status);
}

}  // namespace

StackDownload DownloadEventRecords(LinkState& link, const DownloadPlan& plan,
                                   std::vector<std::uint8_t>& records) {
  StackDownload download;
  download.entered = plan.bracket && SetDownloadMode(link, true);
  StackPointers pointers{};
  download.read = ReadWaitingRecords(link, records, pointers);
  if (download.read == StackReadOutcome::kRead) {
    download.kept = !plan.keep || plan.keep(pointers, records);
    ClearAndNotify(link, plan, pointers, download);
  }
  if (plan.bracket) {
    const FramesAfterStop leaving(link);
    download.left = SetDownloadMode(link, false);
  }
  return download;
}

bool DownloadSucceeded(const StackDownload& download, const DownloadPlan& plan) {
  if (download.read == StackReadOutcome::kEmpty) return !download.entered || download.left;
  if (download.read != StackReadOutcome::kRead || !download.kept) return false;
  const bool cleared = !plan.clearAfter || download.cleared;
  const bool notified = download.notified || (!plan.clearAfter && !plan.notifyAfterRead);
  return cleared && notified && (!download.entered || download.left);
}

bool DownloadEvents(LinkState& link, bool clearAfter, bool bracket,
                    std::vector<std::string>& lines) {
  std::vector<std::uint8_t> records;
  const DownloadPlan plan{clearAfter, bracket, {}, true};
  const bool result = DownloadSucceeded(DownloadEventRecords(link, plan, records), plan);
  lines.clear();
  for (size_t offset = 0; offset < records.size(); offset += EventRecordSize) {
    lines.push_back(EventLine(records.data() + offset));
  }
  return result;
}

}  // namespace zm48d
