#include "cli/options.h"

#include <cstddef>

#include "cli/arguments.h"
#include "link/port_url.h"
#include "protocol/hex_text.h"

namespace zm48d::cli {

namespace {

// A device path is the system's to judge when it opens; a URL is checked here.
void CheckPortName(const std::string& name) {
  if (name.empty()) throw UsageError("--port needs a device path or a URL");
  std::string problem;
  if (IsPortUrl(name) && !ParsePortUrl(name, problem)) {
    throw UsageError("--port " + name + ": " + problem);
  }
}

class ArgumentCursor {
 public:
  explicit ArgumentCursor(std::span<const std::string> arguments) : arguments_(arguments) {}

  bool Done() const { return next_ >= arguments_.size(); }
  const std::string& Peek() const { return arguments_[next_]; }
  const std::string& Take() { return arguments_[next_++]; }
  const std::string& TakeValueOf(std::string_view option) {
    if (Done()) throw UsageError(std::string(option) + " needs a value");
    return Take();
  }
  std::vector<std::string> Rest() const {
    return {arguments_.begin() + static_cast<std::ptrdiff_t>(next_), arguments_.end()};
  }

 private:
  std::span<const std::string> arguments_;
  std::size_t next_ = 0;
};

bool IsOption(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

}  // namespace

std::uint8_t HeadFromText(std::string_view text) {
  return static_cast<std::uint8_t>(HexTextToInt(text) & 0xFF);
}

std::string HeadCutNote(std::string_view text, std::string_view verb) {
  const bool asKept = (text.size() == 1 || text.size() == 2) && IsUpperHexText(text);
  if (asKept) return {};
  return "'" + std::string(text) + "' " + std::string(verb) + " " + HexByte(HeadFromText(text)) +
         " (the last two upper-case hexadecimal digits; other characters are skipped)";
}

Options ParseOptions(std::span<const std::string> arguments) {
  Options options;
  bool comGiven = false;
  ArgumentCursor cursor(arguments);
  while (!cursor.Done() && IsOption(cursor.Peek())) {
    const std::string& option = cursor.Take();
    if (option == "--help" || option == "-h") {
      options.help = true;
      return options;
    }
    if (option == "--version") {
      options.version = true;
      return options;
    }
    if (option == "--com") {
      options.comPort = static_cast<int>(
          ParseNumberInRange(cursor.TakeValueOf(option), "--com", kFirstComPort, kLastComPort));
      comGiven = true;
    } else if (option == "--port") {
      options.devicePath = cursor.TakeValueOf(option);
      CheckPortName(*options.devicePath);
    } else if (option == "--head") {
      options.headText = cursor.TakeValueOf(option);
      options.head = HeadFromText(*options.headText);
    } else if (option == "--trace") {
      options.trace = true;
    } else {
      throw UsageError("unknown option " + option);
    }
  }
  if (comGiven && options.devicePath) throw UsageError("--com and --port exclude each other");
  if (cursor.Done()) throw UsageError("no command given");
  options.command = cursor.Take();
  options.args = cursor.Rest();
  return options;
}

}  // namespace zm48d::cli
