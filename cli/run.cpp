#include "cli/run.h"

#include <exception>

#include "cli/command_table.h"
#include "cli/help.h"
#include "cli/options.h"
#include "cli/trace.h"
#include "link/platform_serial_link.h"
#include "zm48d_version.h"

namespace zm48d::cli {

namespace {

int BadUsage(std::ostream& err, const std::string& message, const CommandEntry* command) {
  err << "zm48d: " << message << '\n' << UsageText(command);
  return kExitUsage;
}

DevicePathResolver ResolverFor(const Options& options) {
  if (!options.devicePath) return PlatformComDevicePath;
  return [path = *options.devicePath](int) { return path; };
}

int RunCommand(const CommandEntry& command, Options& options, std::ostream& out,
               std::ostream& err) {
  PlatformSerialLink device(ResolverFor(options));
  LinkState link(device);
  link.HeadAddress = options.head;
  if (options.trace) link.observer = MakeTraceObserver(err);
  CommandContext context{std::move(options.args), link, options.comPort, out, err};
  try {
    return command.run(context);
  } catch (const UsageError& error) {
    return BadUsage(err, error.what(), &command);
  } catch (const std::exception& error) {
    // An error the operation did not expect (the runtime's message, as the
    // window's error box shows it); the port cycle has closed the port.
    err << error.what() << '\n';
    return kExitFailure;
  }
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
  return RunCommand(*command, options, out, err);
}

}  // namespace zm48d::cli
