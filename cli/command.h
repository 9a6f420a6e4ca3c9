#pragma once
// What a command gets to run with, and the port cycle every command follows:
// check its arguments, open the port, run the protocol operations, report, close.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_port.h"
#include "protocol/link_state.h"

namespace zm48d::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CommandContext {
  std::vector<std::string> args;  // the words after the command name
  LinkState& link;
  int portNumber;
  std::ostream& out;  // results
  std::ostream& err;  // failure texts
};

// A command checks its arguments (throwing UsageError) before it opens the port.
using CommandFunction = int (*)(CommandContext&);

// Opens the port for the life of the object and closes it on every path out,
// exceptions included. A port that does not open is reported with the command's
// own open-failure text.
class PortCycle {
 public:
  PortCycle(CommandContext& context, std::string_view openFailureText);
  PortCycle(const PortCycle&) = delete;
  PortCycle& operator=(const PortCycle&) = delete;

  bool IsOpen() const { return open_; }

 private:
  PortCloser closer_;
  bool open_;
};

// Prints `success` (when not empty) on out or `failure` on err; the exit status.
int Report(CommandContext& context, bool ok, std::string_view success, std::string_view failure);

}  // namespace zm48d::cli
