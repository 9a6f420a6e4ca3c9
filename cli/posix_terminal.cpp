#include <unistd.h>

#include "cli/terminal.h"

namespace zm48d::cli {

bool StandardOutputIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

}  // namespace zm48d::cli
