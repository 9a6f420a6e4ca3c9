#pragma once
// Whether the standard output is a terminal a person watches, where a command
// may redraw its lines, rather than a file or a pipe.
namespace zm48d::cli {

bool StandardOutputIsTerminal();

}  // namespace zm48d::cli
