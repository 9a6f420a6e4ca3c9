#include "cli/help.h"

#include <cstddef>
#include <string_view>

#include "link/platform_serial_link.h"

namespace zm48d::cli {

namespace {

constexpr std::string_view kSynopsis =
    "usage: zm48d [--com N | --port PORT] [--head HEX] [--trace] COMMAND [ARGS]\n"
    "       zm48d --help | --version\n";

constexpr std::string_view kOptionsUpToCom =
    "Runs one operation of a ZM48D door controller: opens the serial port, runs the\n"
    "operation, closes the port.\n"
    "\n"
    "options (before the command):\n"
    "  --com N       serial port \"COM N\", 1..8 (default 1):\n";

constexpr std::string_view kOptionsAfterCom =
    "  --port PORT   open PORT instead: a serial device path, or a network port\n"
    "                rfc2217://HOST:PORT (Telnet, RFC 2217: the line settings go too)\n"
    "                or socket://HOST:PORT (raw TCP; the server's line settings)\n"
    "  --head HEX    head address the frames go to, hexadecimal as on the Config page\n"
    "                (upper-case digits; other characters are skipped; default AA)\n"
    "  --trace       print every frame sent (->) and received (<-) on stderr\n"
    "  --help        this text\n"
    "  --version     the program's version\n";

constexpr std::string_view kNotes =
    "\n"
    "ADDR and LEN: decimal, or hexadecimal with 0x. HEXBYTES: two hexadecimal digits\n"
    "per byte, blanks allowed (\"01A0FF\", \"01 A0 FF\"). Dumps show 16 bytes a line,\n"
    "the address first. Times in ms, timeouts in s and head addresses are cut to\n"
    "the controller's fields as the window cuts them, never refused; a note on\n"
    "stderr says what was stored.\n"
    "\n"
    "exit status: 0 done, 1 the operation failed (the window's message on stderr,\n"
    "and for a port that does not open the device and the system's reason), 2 bad\n"
    "usage, 130 or 143 stopped by Ctrl+C or SIGTERM (a line says what the controller\n"
    "may hold). watch fails when its last poll failed.\n";

void AppendIndented(std::string& text, std::string_view lines, std::string_view indent) {
  std::size_t start = 0;
  while (start < lines.size()) {
    std::size_t end = lines.find('\n', start);
    if (end == std::string_view::npos) end = lines.size();
    text.append(indent).append(lines.substr(start, end - start)).append("\n");
    start = end + 1;
  }
}

}  // namespace

std::string HelpText() {
  std::string text(kSynopsis);
  text += "\n";
  text += kOptionsUpToCom;
  text.append(16, ' ').append(kPlatformComDeviceRule).append("\n");
  text += kOptionsAfterCom;
  text += "\ncommands:\n";
  for (const CommandEntry& entry : CommandTable()) AppendIndented(text, entry.help, "  ");
#ifdef _WIN32
  // No build of the event store's libraries for this system yet.
  text += "  (harvest and history, the event store's commands, are not in this build)\n";
#endif
  text += kNotes;
  return text;
}

std::string UsageText(const CommandEntry* command) {
  std::string text(kSynopsis);
  if (command != nullptr) {
    text += "command:\n";
    AppendIndented(text, command->help, "  ");
  }
  text += "(zm48d --help lists every command)\n";
  return text;
}

}  // namespace zm48d::cli
