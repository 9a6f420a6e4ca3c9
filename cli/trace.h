#pragma once
// --trace: every frame that crosses the line, as a timestamped line of
// hexadecimal on the error stream, "->" for sent and "<-" for received:
//   12:00:00.123 -> 02 AA 1E 48 00 1C 03 31 04
#include <chrono>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>

#include "protocol/link_state.h"

namespace zm48d::cli {

// One trace line, without the line end; the time is local, to the millisecond.
std::string FormatTraceLine(std::chrono::system_clock::time_point when, FrameDirection direction,
                            std::span<const std::uint8_t> frame);

// An observer for LinkState that writes each frame to `out` as it passes.
FrameObserver MakeTraceObserver(std::ostream& out);

}  // namespace zm48d::cli
