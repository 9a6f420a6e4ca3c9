#include "operations/controller_readback.h"

#include <string_view>

#include "operations/operator_texts.h"
#include "operations/progress_report.h"

namespace zm48d::ops {

namespace {

// True when read; otherwise the outcome's text is shown.
bool Reported(const Session& session, ReadBackOutcome outcome, std::string_view outsideText) {
  switch (outcome) {
    case ReadBackOutcome::kRead: return true;
    case ReadBackOutcome::kTransferFailed: session.Fail(text::kReadBackFailed); return false;
    case ReadBackOutcome::kOutsideMemory: session.Fail(outsideText); return false;
  }
  return false;
}

}  // namespace

std::optional<ControllerContents> ReadControllerBack(const Session& session, ReadBackParts parts) {
  const PortCycle port(session, text::kOpenSerialFailed);
  const ProgressReport progress(session, text::kReadingController);
  if (!port) return std::nullopt;
  ControllerContents contents;
  LinkStatus status = link_status::kOk;
  if (parts.holidays || parts.groups) {
    const RulesTables tables{parts.holidays, parts.groups};
    if (!Reported(session, ReadRulesBack(session.link, tables, contents.rules, status),
                  text::kRulesOutsideArea)) {
      return std::nullopt;
    }
  }
  if (parts.tags && !Reported(session, ReadTagListBack(session.link, contents.tags, status),
                              text::kTagListOutsideSpace)) {
    return std::nullopt;
  }
  return contents;
}

}  // namespace zm48d::ops
