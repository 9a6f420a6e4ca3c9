#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>
#include <system_error>

#include "cli/output_descriptor.h"

namespace zm48d::cli {

namespace {

ops::Keeping Failed(int error) {
  return {false, "standard output: " + std::generic_category().message(error)};
}

// Every byte, however many writes it takes.
bool WriteAll(std::string_view bytes, int& error) {
  while (!bytes.empty()) {
    const long n = WriteSomeToOutput(bytes);
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

ops::Keeping WriteAndCloseStandardOutput(std::string_view bytes) {
  std::cout.flush();
  if (!std::cout || std::fflush(stdout) != 0) return Failed(errno != 0 ? errno : EIO);
  int error = 0;
  if (!WriteAll(bytes, error) || !SyncOutputIfFile(error) || !CloseOutput(error)) {
    return Failed(error);
  }
  return {true, {}};
}

}  // namespace zm48d::cli
