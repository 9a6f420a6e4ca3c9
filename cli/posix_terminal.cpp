#include <sys/ioctl.h>
#include <unistd.h>

#include <cstddef>
#include <optional>

#include "cli/terminal.h"

namespace zm48d::cli {

namespace {
// What a terminal that does not say its size is taken to have.
constexpr std::size_t kDefaultColumns = 80;
}  // namespace

std::optional<std::size_t> RedrawableStandardOutput() {
  if (::isatty(STDOUT_FILENO) != 1) return std::nullopt;
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return kDefaultColumns;
  return size.ws_col;
}

}  // namespace zm48d::cli
