// clock: read it, set it from typed text or from this PC's local time.
#include <span>
#include <string>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "operations/device_operations.h"
#include "operations/operator_texts.h"
#include "operations/pc_clock.h"

namespace zm48d::cli {

namespace {

int ReadClockCommand(CommandContext& context) {
  return ExitStatus(ops::ReadClockInto(context.session, [&](const ops::ClockReading& clock) {
    context.out << clock.date << ' ' << clock.time << ' ' << clock.weekday << '\n';
  }));
}

// The window shows nothing when the clock could not be set; a script needs to know.
int SetClockCommand(CommandContext& context, const ops::ClockSetting& setting) {
  return ExitStatus(ops::SetClockFrom(
      context.session, [&] { return setting; }, text::kError));
}

}  // namespace

int RunClock(CommandContext& context) {
  const std::span<const std::string> args = context.args;
  if (args.empty()) return ReadClockCommand(context);
  if (args[0] == "--set") return SetClockCommand(context, ParseClockSetting(args.subspan(1)));
  if (args[0] == "--sync") {
    RequireArgumentCount(args.subspan(1), 0);
    // Taken before the port opens, as the window fills its edits first; shown so
    // the operator sees what was sent.
    const ops::ClockSetting setting = ops::PcClockSetting(ops::CurrentLocalTime());
    context.out << setting.date << ' ' << setting.time << '\n';
    return SetClockCommand(context, setting);
  }
  throw UsageError("clock takes nothing, --set \"DD/MM/YY HH:MM:SS\" or --sync, not '" + args[0] +
                   "'");
}

}  // namespace zm48d::cli
