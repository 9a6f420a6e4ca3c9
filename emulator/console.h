#pragma once
// Text commands that change a running emulator, one per line, for tests and for
// a person exercising the terminal:
//   event TAG DDMMYY HHMMSS FLAGS   push an event record (hex tag, BCD digits, hex flags)
//   swipe DOOR TAG [DD/MM/YY HH:MM:SS]
//                                   present a tag (six hex digits) at reader DOOR (1..4),
//                                   at the given time or the controller's clock; the
//                                   controller decides it on its memory and answers with
//                                   the event's row as `zm48d events` prints it
//   reader N TAG VALUE              set online entry N (0..7): hex tag and hex value
//   fault MODE [SKIP [COUNT [CMD]]] put a fault on the line (none, no-answer, wrong-head,
//                                   bad-start, bad-checksum, truncated, over-long, not-ok,
//                                   short-header, drop-second, hang-up, lower-case,
//                                   short-data)
//   show                            print the stack header and the config block settings
//   help
#include <optional>
#include <string>
#include <string_view>

#include "emulator/faults.h"
#include "emulator/pty_emulator.h"

namespace zm48d::emu {

std::optional<Fault> ParseFault(std::string_view name);

struct ConsoleReply {
  std::string text;            // to print; an error text for a bad line
  bool memoryChanged = false;  // the EEPROM or settings space was written
};

// Runs one command line.
ConsoleReply RunConsoleLine(PtyEmulator& emulator, std::string_view line);
// The same, for callers that only print the answer.
std::string RunConsoleCommand(PtyEmulator& emulator, std::string_view line);

}  // namespace zm48d::emu
