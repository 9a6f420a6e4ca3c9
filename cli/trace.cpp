#include "cli/trace.h"

#include <chrono>
#include <cstdint>
#include <span>

#include "operations/trace_line.h"

namespace zm48d::cli {

FrameObserver MakeTraceObserver(std::ostream& out) {
  return [&out](FrameDirection direction, std::span<const std::uint8_t> frame) {
    out << ops::FormatTraceLine(std::chrono::system_clock::now(), direction, frame) << std::endl;
  };
}

}  // namespace zm48d::cli
