#pragma once
// Why a serial device did not open, kept as a value so that whoever shows the
// failure can say why: the device, the system's error code and what it means.
#include <string>
#include <system_error>

namespace zm48d {

struct OpenFailure {
  // What the system's code means for someone trying to open a serial line.
  enum class Problem {
    kNone,          // no failure, or a device that cannot tell
    kMissing,       // no such device
    kNoPermission,  // the user may not open it
    kInUse,         // another program holds it
    kNotATerminal,  // it opened, but it is no serial line (a directory, /dev/null)
    kOther,
  };

  std::string path;     // the device as the system was asked for it
  int systemError = 0;  // errno, or GetLastError() on Windows
  Problem problem = Problem::kNone;

  // The system's own text for the code ("Permission denied").
  std::string Reason() const { return std::system_category().message(systemError); }
};

}  // namespace zm48d
