// beep, relay, notify: the direct commands without data to show.
#include "cli/arguments.h"
#include "cli/commands.h"
#include "operations/device_operations.h"
#include "operations/operator_texts.h"

namespace zm48d::cli {

int RunBeep(CommandContext& context) {
  RequireArgumentCount(context.args, 0);
  return ExitStatus(ops::SoundBeep(context.session));
}

// The window reports nothing for a relay; here the exit status and "Erro!!" tell
// a script whether the controller took the pulse.
int RunRelay(CommandContext& context) {
  RequireArgumentCount(context.args, 1);
  const auto relay = static_cast<int>(ParseNumberInRange(context.args[0], "relay", 1, 4));
  return ExitStatus(ops::TriggerRelay(context.session, relay, text::kError));
}

int RunNotify(CommandContext& context) {
  RequireArgumentCount(context.args, 0);
  return ExitStatus(ops::SendMemoryNotice(context.session, text::kOpenPortFailed, text::kError));
}

}  // namespace zm48d::cli
