#include "cli/trace.h"

#include <cstdio>
#include <ctime>

#include "protocol/hex_text.h"

namespace zm48d::cli {

namespace {

std::string LocalTimeOfDay(std::chrono::system_clock::time_point when) {
  using namespace std::chrono;
  const std::time_t seconds = system_clock::to_time_t(when);
  const auto millis = duration_cast<milliseconds>(when.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                local.tm_sec, static_cast<int>(millis));
  return text;
}

}  // namespace

std::string FormatTraceLine(std::chrono::system_clock::time_point when, FrameDirection direction,
                            std::span<const std::uint8_t> frame) {
  std::string line = LocalTimeOfDay(when);
  line += direction == FrameDirection::kSent ? " ->" : " <-";
  for (std::uint8_t byte : frame) {
    line += ' ';
    line += HexByte(byte);
  }
  return line;
}

FrameObserver MakeTraceObserver(std::ostream& out) {
  return [&out](FrameDirection direction, std::span<const std::uint8_t> frame) {
    out << FormatTraceLine(std::chrono::system_clock::now(), direction, frame) << std::endl;
  };
}

}  // namespace zm48d::cli
