#include "operations/event_download.h"

#include <cstdlib>

#include "files/cp1252.h"
#include "files/line_file.h"
#include "operations/operator_texts.h"
#include "operations/progress_report.h"
#include "protocol/config_block.h"
#include "protocol/event_record.h"
#include "protocol/event_stack.h"

namespace zm48d::ops {

bool ReadEventStackButton(const Session& session, const Deliver<std::vector<std::uint8_t>>& deliver,
                          const EventReadTexts& texts) {
  const PortCycle port(session, text::kOpenSerialFailed);
  if (!port) return false;
  const ProgressReport progress(session, text::kDownloadingEvents);
  std::vector<std::uint8_t> records;
  switch (ReadWaitingRecords(session.link, records)) {
    case StackReadOutcome::kHeaderFailed:
      session.Fail(texts.headerFailed);
      return false;
    case StackReadOutcome::kEmpty:
      session.Fail(texts.empty);
      return true;
    case StackReadOutcome::kDamaged:
    case StackReadOutcome::kRecordsFailed:
      session.Fail(text::kStackReadFailed);
      return false;
    case StackReadOutcome::kRead:
      deliver(records);
      return true;
  }
  return false;
}

bool DownloadAndClearEvents(const Session& session, std::string_view openFailure,
                            const Deliver<ClearingDownload>& deliver) {
  const PortCycle port(session, openFailure);
  if (!port) return false;
  const ProgressReport progress(session, text::kDownloadingEvents);
  ClearingDownload download;
  download.ok = DownloadEventRecords(session.link, /*clearAfter=*/true, /*bracket=*/true,
                                     download.records);
  deliver(download);
  return download.ok;
}

bool SaveEventsButton(const Session& session, const std::string& path) {
  bool saved = false;
  DownloadAndClearEvents(session, {}, [&](const ClearingDownload& download) {
    if (!download.ok) {
      session.Fail(text::kError);
      return;
    }
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < download.records.size(); at += EventRecordSize) {
      lines.push_back(Utf8ToCp1252(EventLine(download.records.data() + at)));
    }
    SaveLinesAtomically(path, lines);
    session.Note(text::kDone);
    saved = true;
  });
  return saved;
}

std::string DefaultEventFilePath() {
#ifdef _WIN32
  return "C:\\TESTEZM48D.TXT";
#else
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr && *home != '\0' ? home : ".") + "/TESTEZM48D.TXT";
#endif
}

bool WriteDefaultsButton(const Session& session, std::string_view openFailure) {
  const PortCycle port(session, openFailure);
  if (!port) return false;
  const bool ok =
      WriteDefaultConfiguration(session.link, kDefaultRelayTimesMs, kDefaultReaderTimeouts);
  if (ok) {
    session.Note(text::kDone);
  } else {
    session.Fail(text::kError);
  }
  return ok;
}

}  // namespace zm48d::ops
