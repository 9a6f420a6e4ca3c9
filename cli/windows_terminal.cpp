#include <io.h>

#include "cli/terminal.h"

namespace zm48d::cli {

bool StandardOutputIsTerminal() { return ::_isatty(1) != 0; }

}  // namespace zm48d::cli
