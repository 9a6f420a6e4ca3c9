#pragma once
// --trace: every frame that crosses the line, as a timestamped line of
// hexadecimal on the error stream (the format of operations/trace_line.h).
#include <ostream>

#include "protocol/link_state.h"

namespace zm48d::cli {

// An observer for LinkState that writes each frame to `out` as it passes.
FrameObserver MakeTraceObserver(std::ostream& out);

}  // namespace zm48d::cli
