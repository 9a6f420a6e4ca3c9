#include "operations/event_download.h"

#include <cstdlib>
#include <exception>

#include "files/cp1252.h"
#include "files/line_file.h"
#include "operations/operator_texts.h"
#include "operations/progress_report.h"
#include "protocol/event_record.h"
#include "protocol/event_stack.h"

namespace zm48d::ops {

bool ReadWaitingEventsInto(const Session& session,
                           const Deliver<std::vector<std::uint8_t>>& deliver,
                           const EventReadTexts& texts) {
  const PortCycle port(session, text::kOpenSerialFailed);
  if (!port) return false;
  const ProgressReport progress(session, text::kDownloadingEvents);
  std::vector<std::uint8_t> records;
  switch (ReadWaitingRecords(session.link, records)) {
    case StackReadOutcome::kHeaderFailed: session.Fail(texts.headerFailed); return false;
    case StackReadOutcome::kEmpty: session.Fail(texts.empty); return true;
    case StackReadOutcome::kDamaged:
    case StackReadOutcome::kRecordsFailed: session.Fail(text::kStackReadFailed); return false;
    case StackReadOutcome::kRead: deliver(records); return true;
  }
  return false;
}

ClearingOutcome OutcomeOfDownload(const StackDownload& download, bool clearAfter) {
  using enum ClearingOutcome;
  if (download.read == StackReadOutcome::kEmpty) return download.left ? kNothingWaiting : kNotLeft;
  if (download.read != StackReadOutcome::kRead) return kNotRead;
  if (!download.kept) return kNotKept;
  if (!clearAfter) return download.left ? kCleared : kNotLeft;
  if (!download.clearTried) return download.entered ? kStopped : kNotEntered;
  if (download.grew) return kStackGrew;
  if (!download.cleared || !download.notified) return kClearUncertain;
  return download.left ? kCleared : kNotLeft;
}

namespace {

std::string_view ClearingFailureText(ClearingOutcome outcome) {
  using enum ClearingOutcome;
  switch (outcome) {
    case kNotRead: return text::kError;
    case kNotKept: return text::kEventsNotKept;
    case kNotEntered: return text::kDownloadModeRefused;
    case kStopped: return text::kEventsStopped;
    case kClearUncertain: return text::kClearUncertain;
    case kStackGrew: return text::kStackGrew;
    case kNotLeft: return text::kDownloadModeNotLeft;
    case kPortNotOpen:
    case kCleared:
    case kNothingWaiting: break;
  }
  return {};
}

}  // namespace

ClearingDownload DownloadAndClearEvents(const Session& session, std::string_view openFailure,
                                        const KeepEvents& keep) {
  ClearingDownload result;
  const PortCycle port(session, openFailure);
  if (!port) return result;
  const ProgressReport progress(session, text::kDownloadingEvents);
  const auto keepRecords = [&](const StackPointers&, std::span<const std::uint8_t> records) {
    const Keeping keeping = keep(records);
    result.keepFailure = keeping.reason;
    return keeping.kept;
  };
  const DownloadPlan plan{true, true, keepRecords, true};
  std::vector<std::uint8_t> records;
  result.outcome = OutcomeOfDownload(DownloadEventRecords(session.link, plan, records), true);
  session.Fail(ClearingFailureText(result.outcome));
  if (result.outcome == ClearingOutcome::kNotKept) session.Explain(result.keepFailure);
  return result;
}

namespace {

// The EventLines in Windows-1252, replacing the file at `path`.
Keeping SaveEventLines(const std::string& path, std::span<const std::uint8_t> records) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < records.size(); at += EventRecordSize) {
    lines.push_back(Utf8ToCp1252(EventLine(records.data() + at)));
  }
  try {
    SaveLinesAtomically(path, lines);
  } catch (const std::exception& error) {
    return {false, error.what()};
  }
  return {true, {}};
}

}  // namespace

bool SaveAndClearEvents(const Session& session, const std::string& path) {
  const ClearingDownload download = DownloadAndClearEvents(
      session, {},
      [&](std::span<const std::uint8_t> records) { return SaveEventLines(path, records); });
  // An empty stack still leaves its (empty) file, as a test file should.
  if (download.outcome == ClearingOutcome::kNothingWaiting) SaveLinesAtomically(path, LineList{});
  if (download.ok()) session.Note(text::kDone);
  return download.ok();
}

std::string DefaultEventFilePath() {
#ifdef _WIN32
  return "C:\\TESTEZM48D.TXT";
#else
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr && *home != '\0' ? home : ".") + "/TESTEZM48D.TXT";
#endif
}

}  // namespace zm48d::ops
