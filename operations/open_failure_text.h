#pragma once
// The line that tells the operator why a port did not open.
#include <string>

#include "link/open_failure.h"

namespace zm48d::ops {

// "<device>: <the system's reason>", and where it helps what to do about it:
//   /dev/ttyUSB0: Permission denied; add the user to the dialout group
//   /dev/ttyUSB0: Device or resource busy; in use by minicom (pid 812)
//   /dev/null: Inappropriate ioctl for device; not a serial device
// Empty for a failure without a device (a device that cannot tell).
std::string OpenFailureExplanation(const OpenFailure& failure);

// The programs holding `path` open, "minicom (pid 812), screen (pid 907)"; empty
// when the system does not say.
std::string ProgramsHoldingText(const std::string& path);

}  // namespace zm48d::ops
