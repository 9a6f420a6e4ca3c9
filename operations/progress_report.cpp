#include "operations/progress_report.h"

#include <utility>

namespace zm48d::ops {

std::string ProgressText(std::string_view caption, const TransferProgress& progress) {
  const std::string done = std::to_string(progress.done);
  const std::string total = std::to_string(progress.total);
  std::string text(caption);
  switch (progress.transfer) {
    case BulkTransfer::kTagPages: return text + ": página " + done + " de " + total;
    case BulkTransfer::kEepromRead: return text + ": " + done + " de " + total + " blocos";
    case BulkTransfer::kTagListRead: return text + ": lista, página " + done + " de " + total;
    case BulkTransfer::kEepromWrite: return text + ": quadro " + done + " de " + total;
  }
  return text;
}

ProgressReport::ProgressReport(const Session& session, std::string_view caption)
    : link_(session.link), previous_(std::move(session.link.progress)) {
  link_.progress = [&notices = session.notices,
                    caption = std::string(caption)](const TransferProgress& progress) {
    notices.Progress(ProgressText(caption, progress));
  };
}

ProgressReport::~ProgressReport() { link_.progress = std::move(previous_); }

}  // namespace zm48d::ops
