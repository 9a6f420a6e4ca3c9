#pragma once
// What a command gets to run with. A command checks its arguments first
// (throwing UsageError, before the port is opened), then runs one operation of
// the operations layer, whose texts go to the streams: notes on `out`, failures
// on `err`.
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "operations/session.h"
#include "protocol/link_state.h"

namespace zm48d::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The operations' texts on the command line's streams: notes on the output,
// failures and their explanations on the error stream. The window's asides
// beside a reading are left out, the reading itself is printed instead.
class StreamNotices final : public ops::Notices {
 public:
  StreamNotices(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  void Show(ops::Tone tone, std::string_view utf8Text) override;
  void Explain(std::string_view utf8Text) override;
  void DescriptionsNotKept(std::string_view path, ops::DescriptionsLost why) override;

 private:
  std::ostream& out_;
  std::ostream& err_;
};

struct CommandContext {
  CommandContext(std::vector<std::string> arguments, LinkState& link, int portNumber,
                 std::string port, std::ostream& out, std::ostream& err)
      : args(std::move(arguments)),
        portName(std::move(port)),
        out(out),
        err(err),
        notices(out, err),
        session{link, portNumber, notices} {}
  CommandContext(const CommandContext&) = delete;
  CommandContext& operator=(const CommandContext&) = delete;

  std::vector<std::string> args;  // the words after the command name
  std::string portName;           // "COM1", or the device path given with --port
  std::ostream& out;              // results
  std::ostream& err;              // failure texts
  StreamNotices notices;
  const ops::Session session;  // the link, "COM n" and the notices above
  // What the controller may hold if a stop cut the command short, when the
  // command knows better than its table entry.
  std::string_view whenStopped;
};

// A command checks its arguments (throwing UsageError) before it opens the port.
using CommandFunction = int (*)(CommandContext&);

inline int ExitStatus(bool ok) { return ok ? kExitSuccess : kExitFailure; }

}  // namespace zm48d::cli
