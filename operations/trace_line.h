#pragma once
// The frame trace: every frame that crossed the line as one line of
// hexadecimal with its local time, "->" for sent and "<-" for received:
//   12:00:00.123 -> 02 AA 1E 48 00 1C 03 31 04
// The command line's --trace prints these lines.
#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "protocol/link_state.h"

namespace zm48d::ops {

std::string FormatTraceLine(std::chrono::system_clock::time_point when, FrameDirection direction,
                            std::span<const std::uint8_t> frame);

}  // namespace zm48d::ops
