#pragma once
// The options in front of the command: which port, which head address, tracing.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/usage_error.h"
#include "protocol/link_state.h"

namespace zm48d::cli {

inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 8;

struct Options {
  int comPort = kFirstComPort;            // "COM n", mapped through ComDevicePath
  std::optional<std::string> devicePath;  // --port: this device instead of "COM n"
  std::uint8_t head = kDefaultHeadAddress;
  std::optional<std::string> headText;  // --head as typed
  bool trace = false;
  bool help = false;
  bool version = false;
  std::string command;            // empty only with help or version
  std::vector<std::string> args;  // everything after the command, untouched
};

// Parses the arguments after the program name. Options end at the first word
// that does not start with '-': that word is the command. Throws UsageError.
Options ParseOptions(std::span<const std::string> arguments);

// The head address as "Mudar" on the Config page takes it: the upper-case
// hexadecimal digits of the text, every other character skipped, low 8 bits.
std::uint8_t HeadFromText(std::string_view text);
// "'12345' <verb> 45 (...)": how a head text that is not one or two upper-case
// hexadecimal digits was cut; empty for one that was not.
std::string HeadCutNote(std::string_view text, std::string_view verb);

}  // namespace zm48d::cli
