// zm48d: the ZM48D controller's operations from the command line, for scripts
// and production lines. `zm48d --help` lists them.
#include <iostream>
#include <string>
#include <vector>

#include "cli/console_output.h"
#include "cli/run.h"

int main(int argc, char** argv) {
  const zm48d::cli::Utf8ConsoleOutput utf8;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return zm48d::cli::RunCommandLine(arguments, std::cout, std::cerr);
}
