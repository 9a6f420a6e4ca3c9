#pragma once
// The whole command line: options, dispatch to the command, exit status.
#include <ostream>
#include <span>
#include <string>

namespace zm48d::cli {

// `arguments` are the words after the program name. Returns the exit status:
// 0 done, 1 the operation failed, 2 bad usage.
int RunCommandLine(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace zm48d::cli
