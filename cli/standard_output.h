#pragma once
// The standard output as a place where events are kept: a clearing download
// empties the controller's stack only after its rows are there for certain.
#include <string_view>

#include "operations/event_download.h"

namespace zm48d::cli {

// Writes `bytes` after whatever the program wrote before, pushes them to the
// disk when the output is a file, and closes it, checking every step. Anything
// written to the standard output afterwards goes nowhere. The reason names the
// output and the system's words ("standard output: No space left on device").
ops::Keeping WriteAndCloseStandardOutput(std::string_view bytes);

}  // namespace zm48d::cli
