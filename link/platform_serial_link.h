#pragma once
// The serial backend of the platform the terminal is built for: the one place
// that chooses between kernel32 and termios.
#include <string>
#include <string_view>

#ifdef _WIN32
#include "link/windows_serial_link.h"
#else
#include "link/posix_serial_link.h"
#endif

namespace zm48d {

// PlatformComDevicePath: the device that stands for "COM n";
// kPlatformComDeviceRule: that mapping in words, for help texts.
#ifdef _WIN32
using PlatformSerialLink = WindowsSerialLink;
inline std::string PlatformComDevicePath(int portNumber) {
  return WindowsComDevicePath(portNumber);
}
inline constexpr std::string_view kPlatformComDeviceRule =
    "the device or URL named by ZM48D_COM<N> when set, else \\\\.\\COM<N>";
#else
using PlatformSerialLink = PosixSerialLink;
inline std::string PlatformComDevicePath(int portNumber) { return ComDevicePath(portNumber); }
inline constexpr std::string_view kPlatformComDeviceRule =
    "the device or URL named by ZM48D_COM<N> when set, else /dev/ttyS<N-1>";
#endif

}  // namespace zm48d
