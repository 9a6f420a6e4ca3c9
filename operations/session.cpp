#include "operations/session.h"

#include "operations/open_failure_text.h"

namespace zm48d::ops {

// A cycle that fails without a word (some buttons do) gets no explanation either.
void ReportOpenFailure(const Session& session, std::string_view openFailure) {
  if (openFailure.empty()) return;
  session.Fail(openFailure);
  session.Explain(OpenFailureExplanation(session.link.serial.lastOpenFailure));
}

PortCycle::PortCycle(const Session& session, std::string_view openFailure)
    : session_(session),
      closer_(session.link.serial),
      open_(SerialOpen(session.link.serial, session.portNumber)) {
  if (open_) return;
  session.notices.PortNotOpened(session.portNumber);
  ReportOpenFailure(session, openFailure);
}

PortCycle::~PortCycle() {
  if (!open_) return;
  session_.Explain(OpenFailureExplanation(session_.link.serial.device->LineFailure()));
}

}  // namespace zm48d::ops
