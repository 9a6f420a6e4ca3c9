#pragma once
// The serial backend of the platform the terminal is built for: the one place
// that chooses between kernel32 and termios.
#include <string>

#ifdef _WIN32
#include "link/windows_serial_link.h"
#else
#include "link/posix_serial_link.h"
#endif

namespace zm48d {

#ifdef _WIN32
using PlatformSerialLink = WindowsSerialLink;
inline std::string PlatformComDevicePath(int portNumber) { return WindowsComDevicePath(portNumber); }
#else
using PlatformSerialLink = PosixSerialLink;
inline std::string PlatformComDevicePath(int portNumber) { return ComDevicePath(portNumber); }
#endif

}  // namespace zm48d
