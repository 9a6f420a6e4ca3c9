#include "cli/run.h"

#include <exception>
#include <string_view>
#include <utility>

#include "cli/command_table.h"
#include "cli/help.h"
#include "cli/interrupt_signals.h"
#include "cli/options.h"
#include "cli/trace.h"
#include "link/port_link.h"
#include "zm48d_version.h"

namespace zm48d::cli {

namespace {

int BadUsage(std::ostream& err, const std::string& message, const CommandEntry* command) {
  err << "zm48d: " << message << '\n' << UsageText(command);
  return kExitUsage;
}

DevicePathResolver ResolverFor(const Options& options) {
  if (!options.devicePath) return DefaultComPortName;
  return [path = *options.devicePath](int) { return path; };
}

int Run(const CommandEntry& command, CommandContext& context) {
  try {
    return command.run(context);
  } catch (const UsageError& error) {
    return BadUsage(context.err, error.what(), &command);
  } catch (const std::exception& error) {
    // An error the operation did not expect (the runtime's message, as the
    // window's error box shows it); the port cycle has closed the port.
    context.err << error.what() << '\n';
    return kExitFailure;
  }
}

std::string_view SignalName(int signal) {
  switch (signal) {
    case 2: return "SIGINT";
    case 15: return "SIGTERM";
    default: return "a signal";
  }
}

// One line: what was stopped, and what the controller may hold now.
int ReportStop(const CommandEntry& command, const CommandContext& context, int signal) {
  const std::string_view holds =
      context.whenStopped.empty() ? command.whenStopped : context.whenStopped;
  context.err << "zm48d: " << command.name << " stopped by " << SignalName(signal) << "; " << holds
              << '\n';
  return InterruptedExitStatus(signal);
}

int RunCommand(const CommandEntry& command, Options& options, std::ostream& out,
               std::ostream& err) {
  const InterruptSignals interrupts;
  PortLink device(ResolverFor(options));
  LinkState link(device);
  link.HeadAddress = options.head;
  if (options.trace) link.observer = MakeTraceObserver(err);
  link.stopRequested = [&interrupts] { return interrupts.Caught() != 0; };
  const std::string portName =
      options.devicePath ? *options.devicePath : "COM" + std::to_string(options.comPort);
  CommandContext context{std::move(options.args), link, options.comPort, portName, out, err};
  const int status = Run(command, context);
  if (const int signal = interrupts.Caught()) return ReportStop(command, context, signal);
  return status;
}

}  // namespace

int RunCommandLine(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Options options;
  try {
    options = ParseOptions(arguments);
  } catch (const UsageError& error) {
    return BadUsage(err, error.what(), nullptr);
  }
  if (options.help) {
    out << HelpText();
    return kExitSuccess;
  }
  if (options.version) {
    out << "zm48d " << kVersion << '\n';
    return kExitSuccess;
  }
  const CommandEntry* command = FindCommand(options.command);
  if (command == nullptr) return BadUsage(err, "unknown command " + options.command, nullptr);
  if (options.headText) {
    const std::string note = HeadCutNote(*options.headText, "taken as");
    if (!note.empty()) err << "zm48d: --head " << note << '\n';
  }
  const int status = RunCommand(*command, options, out, err);
  // Output that never arrived is no success: `zm48d events > /dev/full`.
  out.flush();
  if (!out && status == kExitSuccess) {
    err << "zm48d: standard output: write failed\n";
    return kExitFailure;
  }
  return status;
}

}  // namespace zm48d::cli
