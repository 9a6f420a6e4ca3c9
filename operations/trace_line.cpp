#include "operations/trace_line.h"

#include <cstdio>

#include "operations/pc_clock.h"
#include "protocol/hex_text.h"

namespace zm48d::ops {

std::string FormatTraceLine(std::chrono::system_clock::time_point when, FrameDirection direction,
                            std::span<const std::uint8_t> frame) {
  const LocalDateTime local = ToLocalTime(when);
  char stamp[16];
  std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03d", local.hour, local.minute, local.second,
                local.millisecond);
  std::string line = stamp;
  line += direction == FrameDirection::kSent ? " ->" : " <-";
  for (std::uint8_t byte : frame) {
    line += ' ';
    line += HexByte(byte);
  }
  return line;
}

}  // namespace zm48d::ops
