// beep, relay, notify: the direct commands without data to show.
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "protocol/commands.h"
#include "protocol/frames.h"

namespace zm48d::cli {

namespace {

// The relay buttons of the window always pulse with this time, in the controller's unit.
constexpr std::int32_t kRelayPulseTime = 200;

}  // namespace

int RunBeep(CommandContext& context) {
  RequireArgumentCount(context.args, 0);
  PortCycle port(context, text::kOpenPortFailed);
  if (!port.IsOpen()) return kExitFailure;
  LinkStatus status = link_status::kOk;
  return Report(context, Beep(context.link, status), {}, text::kError);
}

// The window reports nothing for a relay; here the exit status and "Erro!!" tell
// a script whether the controller took the pulse.
int RunRelay(CommandContext& context) {
  RequireArgumentCount(context.args, 1);
  const auto relay = static_cast<std::uint8_t>(ParseNumberInRange(context.args[0], "relay", 1, 4));
  PortCycle port(context, text::kOpenPortFailed);
  if (!port.IsOpen()) return kExitFailure;
  LinkStatus status = link_status::kOk;
  return Report(context, PulseRelay(context.link, relay, kRelayPulseTime, status), {},
                text::kError);
}

int RunNotify(CommandContext& context) {
  RequireArgumentCount(context.args, 0);
  PortCycle port(context, text::kOpenPortFailed);
  if (!port.IsOpen()) return kExitFailure;
  LinkStatus status = link_status::kOk;
  return Report(context, NotifyMemoryUpdated(context.link, status), {}, text::kError);
}

}  // namespace zm48d::cli
