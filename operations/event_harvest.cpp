#include "operations/event_harvest.h"

#include <vector>

#include "operations/operator_texts.h"
#include "operations/progress_report.h"
#include "protocol/event_stack.h"

namespace zm48d::ops {

namespace {

HarvestOutcome OutcomeOf(const StackDownload& download, bool keepOnController) {
  using enum HarvestOutcome;
  if (download.read == StackReadOutcome::kEmpty) return download.left ? kHarvested : kNotLeft;
  if (download.read != StackReadOutcome::kRead) return kNotRead;
  if (!download.kept) return kNotStored;
  if (keepOnController) return download.left ? kHarvested : kNotLeft;
  if (!download.clearTried) return download.entered ? kStopped : kNotEntered;
  if (download.grew) return kStackGrew;
  if (!download.cleared || !download.notified) return kClearUncertain;
  return download.left ? kHarvested : kNotLeft;
}

std::string_view FailureText(HarvestOutcome outcome) {
  using enum HarvestOutcome;
  switch (outcome) {
    case kNotRead: return text::kError;
    case kNotStored: return text::kEventsNotStored;
    case kNotEntered: return text::kStoredDownloadModeRefused;
    case kStopped: return text::kStoredStopped;
    case kClearUncertain: return text::kStoredClearUncertain;
    case kStackGrew: return text::kStoredStackGrew;
    case kNotLeft: return text::kStoredDownloadModeNotLeft;
    case kPortNotOpen:
    case kHarvested: break;
  }
  return {};
}

}  // namespace

std::string HarvestedText(int stored, std::string_view controller) {
  return std::to_string(stored) + std::string(text::kRecordsStored) + std::string(controller) + ")";
}

HarvestResult HarvestEvents(const Session& session, store::EventStore& store,
                            std::string_view controller, bool keepOnController) {
  HarvestResult result;
  const PortCycle port(session, text::kOpenSerialFailed);
  if (!port) return result;
  const ProgressReport progress(session, text::kDownloadingEvents);
  std::string storeFailure;
  std::int64_t harvest = 0;
  const auto keep = [&](const StackPointers& pointers, std::span<const std::uint8_t> records) {
    const auto receipt = store.StoreHarvest(controller, pointers.start, pointers.top, records);
    if (!receipt.ok()) {
      storeFailure = receipt.error();
      return false;
    }
    harvest = receipt.value().harvest;
    result.stored = receipt.value().stored;
    result.alreadyStored = receipt.value().alreadyStored;
    return true;
  };
  const DownloadPlan plan{!keepOnController, true, keep, !keepOnController};
  std::vector<std::uint8_t> records;
  const StackDownload download = DownloadEventRecords(session.link, plan, records);
  // Only a confirmed emptying lets the next harvest at this start store all it finds.
  if (download.cleared && download.notified) store.MarkEmptied(harvest);
  result.outcome = OutcomeOf(download, keepOnController);
  if (result.ok()) {
    session.Note(HarvestedText(result.stored, controller));
  } else {
    session.Fail(FailureText(result.outcome));
    if (result.outcome == HarvestOutcome::kNotStored) session.Explain(storeFailure);
  }
  return result;
}

}  // namespace zm48d::ops
