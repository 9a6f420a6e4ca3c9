#include "operations/online_reading_line.h"

#include <array>

#include "operations/operator_texts.h"
#include "protocol/online_reading.h"

namespace zm48d::ops {

bool StartOnlineReading(const Session& session) {
  return SerialOpen(session.link.serial, session.portNumber);
}

void StopOnlineReading(const Session& session) { SerialClose(session.link.serial); }

OnlinePoll PollOnline(LinkState& link) {
  std::array<std::string, kOnlineEntries> entries;
  if (!ReadOnline(link, /*flag=*/false, entries)) {
    return {false, std::string(text::kOnlineReadFailed)};
  }
  OnlinePoll poll{true, {}};
  for (const std::string& entry : entries) poll.line.append(entry).append(text::kOnlineSeparator);
  return poll;
}

}  // namespace zm48d::ops
