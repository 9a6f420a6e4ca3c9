#include "operations/default_configuration.h"

#include "operations/operator_texts.h"
#include "protocol/config_block.h"

namespace zm48d::ops {

bool RestoreDefaultConfiguration(const Session& session, std::string_view openFailure) {
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
