#pragma once
#include <string>

#include "cli/command_table.h"

namespace zm48d::cli {

// The whole --help text: options, every command of the table, exit statuses.
std::string HelpText();
// The short reminder printed after a usage error; with an entry, that command's forms.
std::string UsageText(const CommandEntry* command = nullptr);

}  // namespace zm48d::cli
