#include "operations/session.h"

namespace zm48d::ops {

PortCycle::PortCycle(const Session& session, std::string_view openFailure)
    : closer_(session.link.serial), open_(SerialOpen(session.link.serial, session.portNumber)) {
  if (open_) return;
  session.notices.PortNotOpened(session.portNumber);
  session.Fail(openFailure);
}

}  // namespace zm48d::ops
