#include "cli/console_output.h"

namespace zm48d::cli {

// Terminals here take the bytes in the user's locale, UTF-8 on every current system.
Utf8ConsoleOutput::Utf8ConsoleOutput() = default;
Utf8ConsoleOutput::~Utf8ConsoleOutput() = default;

}  // namespace zm48d::cli
