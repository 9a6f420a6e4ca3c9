#pragma once
// "Leitura OnLine": while the reading runs the port stays open, and each poll of
// the controller's readers gives one line of the page's log.
#include <string>

#include "operations/session.h"

namespace zm48d::ops {

// Opens the port and leaves it open for the polls. False when it does not open:
// the page then logs "Erro ao abrir porta serial" instead of a message box.
bool StartOnlineReading(const Session& session);
void StopOnlineReading(const Session& session);

// One poll (command 'J' with 'N'): the eight entries each followed by " - ", or
// "Erro de leitura!!" when the poll failed.
struct OnlinePoll {
  bool ok = false;
  std::string line;
};
OnlinePoll PollOnline(LinkState& link);
// The line alone, as the page's log takes it.
inline std::string PollOnlineReading(LinkState& link) { return PollOnline(link).line; }

}  // namespace zm48d::ops
