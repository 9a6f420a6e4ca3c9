#include "operations/controller_status.h"

#include "operations/operator_texts.h"
#include "protocol/big_endian.h"
#include "protocol/commands.h"
#include "protocol/hex_text.h"
#include "protocol/memory.h"
#include "protocol/memory_map.h"

namespace zm48d::ops {

std::optional<ControllerStatus> ReadControllerStatus(const Session& session) {
  const PortCycle port(session, text::kOpenPortFailed);
  if (!port) return std::nullopt;
  LinkStatus status = link_status::kOk;
  if (!Beep(session.link, status)) {
    session.Fail(text::kError);
    return std::nullopt;
  }
  ControllerStatus reading;
  std::string time, date, weekday;
  if (!ReadClock(session.link, time, date, weekday, status)) {
    session.Fail(text::kClockReadFailed);
    return std::nullopt;
  }
  reading.clock = date + " " + time + " " + weekday;
  Page config{};
  if (!ReadConfigBlock(session.link, config, status)) {
    session.Fail(text::kHeadReadFailed);
    return std::nullopt;
  }
  reading.head = config[config_block::kHeadAddress];
  reading.tags = GetWord(&config[config_block::kTagCount]);
  return reading;
}

std::string StatusLine(const ControllerStatus& status) {
  return "beep ok; " + status.clock + "; head " + HexByte(status.head) + "; " +
         std::to_string(status.tags) + " tags";
}

}  // namespace zm48d::ops
