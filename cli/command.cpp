#include "cli/command.h"

namespace zm48d::cli {

PortCycle::PortCycle(CommandContext& context, std::string_view openFailureText)
    : closer_(context.link.serial), open_(SerialOpen(context.link.serial, context.portNumber)) {
  if (!open_) context.err << openFailureText << '\n';
}

int Report(CommandContext& context, bool ok, std::string_view success, std::string_view failure) {
  if (!ok) {
    context.err << failure << '\n';
    return kExitFailure;
  }
  if (!success.empty()) context.out << success << '\n';
  return kExitSuccess;
}

}  // namespace zm48d::cli
