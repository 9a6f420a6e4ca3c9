#pragma once
// The commands of zm48d. A new command is one function (declared in
// cli/commands.h) and one line in the table in command_table.cpp.
#include <span>
#include <string_view>

#include "cli/command.h"

namespace zm48d::cli {

struct CommandEntry {
  std::string_view name;
  CommandFunction run;
  // One line per form: the form, then what it does; shown by --help and after a
  // usage error of this command.
  std::string_view help;
  // What the controller may hold when a stop cut the command short; said in the
  // line that reports the stop.
  std::string_view whenStopped;
};

std::span<const CommandEntry> CommandTable();
// Null when there is no such command.
const CommandEntry* FindCommand(std::string_view name);

}  // namespace zm48d::cli
