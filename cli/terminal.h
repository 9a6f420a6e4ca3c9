#pragma once
// Whether the standard output is a terminal a person watches, where a command
// may redraw its lines in place, rather than a file or a pipe.
#include <cstddef>
#include <optional>

namespace zm48d::cli {

// The terminal's width in columns when the standard output is a terminal that
// takes cursor movements (ANSI); nothing for a file, a pipe, or a Windows
// console that cannot be switched to virtual terminal processing.
std::optional<std::size_t> RedrawableStandardOutput();

}  // namespace zm48d::cli
