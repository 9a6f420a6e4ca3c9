#include "operations/event_harvest.h"

#include <span>
#include <vector>

#include "operations/operator_texts.h"
#include "operations/progress_report.h"
#include "protocol/event_stack.h"

namespace zm48d::ops {

namespace {

// The harvest's own words: its records are in the store, not in an output.
std::string_view FailureText(ClearingOutcome outcome) {
  using enum ClearingOutcome;
  switch (outcome) {
    case kNotRead: return text::kError;
    case kNotKept: return text::kEventsNotStored;
    case kNotEntered: return text::kStoredDownloadModeRefused;
    case kStopped: return text::kStoredStopped;
    case kClearUncertain: return text::kStoredClearUncertain;
    case kStackGrew: return text::kStoredStackGrew;
    case kNotLeft: return text::kStoredDownloadModeNotLeft;
    case kPortNotOpen:
    case kCleared:
    case kNothingWaiting: break;
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
  result.outcome = OutcomeOfDownload(download, !keepOnController);
  if (result.ok()) {
    session.Note(HarvestedText(result.stored, controller));
  } else {
    session.Fail(FailureText(result.outcome));
    if (result.outcome == ClearingOutcome::kNotKept) session.Explain(storeFailure);
  }
  return result;
}

}  // namespace zm48d::ops
