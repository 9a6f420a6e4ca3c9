// clock: read it, set it from typed text or from this PC's local time.
#include <ctime>
#include <span>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "protocol/commands.h"

namespace zm48d::cli {

namespace {

std::string FormatLocalNow(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, format, &local);
  return text;
}

// What "Grava S.O" puts into the date and time edits.
ClockSetting LocalClockSetting() { return {FormatLocalNow("%d/%m/%y"), FormatLocalNow("%H:%M:%S")}; }

int ReadClockCommand(CommandContext& context) {
  PortCycle port(context, text::kOpenClockFailed);
  if (!port.IsOpen()) return kExitFailure;
  std::string time, date, weekday;
  LinkStatus status = link_status::kOk;
  if (!ReadClock(context.link, time, date, weekday, status)) {
    context.err << text::kClockReadFailed << '\n';
    return kExitFailure;
  }
  context.out << date << ' ' << time << ' ' << weekday << '\n';
  return kExitSuccess;
}

// The window shows nothing when the clock could not be set; a script needs to know.
int SetClockCommand(CommandContext& context, const ClockSetting& setting) {
  PortCycle port(context, text::kOpenClockFailed);
  if (!port.IsOpen()) return kExitFailure;
  LinkStatus status = link_status::kOk;
  const bool ok = SetClock(context.link, setting.time, setting.date, status);
  return Report(context, ok, text::kClockSet, text::kError);
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
    const ClockSetting setting = LocalClockSetting();
    context.out << setting.date << ' ' << setting.time << '\n';
    return SetClockCommand(context, setting);
  }
  throw UsageError("clock takes nothing, --set \"DD/MM/YY HH:MM:SS\" or --sync, not '" + args[0] +
                   "'");
}

}  // namespace zm48d::cli
