#pragma once
// Why a serial device did not open, kept as a value so that whoever shows the
// failure can say why: the device, the system's error code and what it means.
#include <string>
#include <system_error>

namespace zm48d {

struct OpenFailure {
  // What the system's code means for someone trying to open a serial line.
  enum class Problem {
    kNone,            // no failure, or a device that cannot tell
    kMissing,         // no such device
    kNoPermission,    // the user may not open it
    kInUse,           // another program holds it
    kNotATerminal,    // it opened, but it is no serial line (a directory, /dev/null)
    kBadAddress,      // a network port's URL that names no reachable server
    kNoAnswer,        // a network server that did not answer within the connect bound
    kSettingRefused,  // a network server that did not take the line settings
    kOther,
  };

  std::string path;     // the device as the system was asked for it, or the URL
  int systemError = 0;  // errno, or GetLastError() on Windows
  Problem problem = Problem::kNone;
  // The server's or the resolver's own words, where they say more than the code
  // ("Port's device already in use", "Name or service not known").
  std::string detail;

  // The detail, else the system's own text for the code ("Permission denied").
  std::string Reason() const {
    return detail.empty() ? std::system_category().message(systemError) : detail;
  }
};

}  // namespace zm48d
