#pragma once
// The window's words for a port that did not open: the port, its device and the
// reason in the operator's language, with a network server's own words kept.
#include <string>

#include "link/open_failure.h"

namespace zm48d::ops {

// "COM 5 (/dev/ttyS4): dispositivo não existe"
// "COM 1 (/dev/ttyUSB0): em uso por outro programa: minicom (pid 812)"
// "COM 4 (socket://site:4001): em uso por outro cliente (Port's device already in use)"
// Empty for a failure without a device (a device that cannot tell).
std::string OpenFailureReason(int portNumber, const OpenFailure& failure);

}  // namespace zm48d::ops
