#include "cli/console_output.h"

#include <windows.h>

#include <cstdio>

namespace zm48d::cli {

// GetConsoleOutputCP is 0 when the process has no console.
Utf8ConsoleOutput::Utf8ConsoleOutput() : previous_(GetConsoleOutputCP()) {
  if (previous_ != 0) SetConsoleOutputCP(CP_UTF8);
}

// The console outlives the program: the next program in it expects its own
// page. What the program wrote goes out first, still as UTF-8.
Utf8ConsoleOutput::~Utf8ConsoleOutput() {
  if (previous_ == 0) return;
  std::fflush(stdout);
  std::fflush(stderr);
  SetConsoleOutputCP(previous_);
}

}  // namespace zm48d::cli
