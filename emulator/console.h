#pragma once
// Text commands that change a running emulator, one per line, for tests and for
// a person exercising the terminal:
//   event TAG DDMMYY HHMMSS FLAGS   push an event record (hex tag, BCD digits, hex flags)
//   reader N TAG VALUE              set online entry N (0..7): hex tag and hex value
//   fault MODE [SKIP [COUNT [CMD]]] put a fault on the line (none, no-answer, wrong-head,
//                                   bad-start, bad-checksum, truncated, over-long, not-ok,
//                                   short-header, drop-second, hang-up)
//   show                            print the stack header and the config block settings
//   help
#include <optional>
#include <string>
#include <string_view>

#include "emulator/faults.h"
#include "emulator/pty_emulator.h"

namespace zm48d::emu {

std::optional<Fault> ParseFault(std::string_view name);

// Runs one command line; returns the text to print (an error text for a bad line).
std::string RunConsoleCommand(PtyEmulator& emulator, std::string_view line);

}  // namespace zm48d::emu
