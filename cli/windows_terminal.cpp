#include <windows.h>

#include <cstddef>
#include <optional>

#include "cli/terminal.h"

namespace zm48d::cli {

std::optional<std::size_t> RedrawableStandardOutput() {
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (out == INVALID_HANDLE_VALUE || ::GetConsoleMode(out, &mode) == 0) return std::nullopt;
  // Older consoles print escape sequences as they are: plain lines there.
  if ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) == 0 &&
      ::SetConsoleMode(out, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) == 0) {
    return std::nullopt;
  }
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (::GetConsoleScreenBufferInfo(out, &info) == 0) return std::nullopt;
  const SHORT columns = info.srWindow.Right - info.srWindow.Left + 1;
  if (columns <= 0) return std::nullopt;
  return static_cast<std::size_t>(columns);
}

}  // namespace zm48d::cli
