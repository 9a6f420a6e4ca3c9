#pragma once
// Reading the words that follow a command. Every function throws UsageError with
// a message that names the bad word, so a typing slip ends in exit status 2 before
// the port is opened, never in a crash or a half-run operation.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/usage_error.h"
#include "operations/device_operations.h"

namespace zm48d::cli {

// A non-negative number, decimal ("4096") or hexadecimal with 0x ("0x1000"),
// at most 32 bits. `what` names the value in the message.
std::uint64_t ParseNumber(std::string_view text, std::string_view what);
std::uint64_t ParseNumberInRange(std::string_view text, std::string_view what, std::uint64_t low,
                                 std::uint64_t high);
// A 16-bit address of either address space.
std::uint16_t ParseAddress(std::string_view text);

// A whole number as the window's edits take one (decimal, optional sign, within
// 32 bits); the message is the runtime's "'x' is not a valid integer value".
int ParseEditInteger(std::string_view text);

// Bytes written as hexadecimal digits, two per byte, upper or lower case. Blanks
// between them are allowed and the digits may be spread over several words:
// "0102FF", "01 02 FF" and "01" "02" "FF" are the same three bytes.
std::vector<std::uint8_t> ParseHexBytes(std::span<const std::string> words);

// "DD/MM/YY" and "HH:MM:SS" as the clock's masked edits hold them: a digit at each
// digit position. The digits are not range-checked, as the window sends them.
// One word "DD/MM/YY HH:MM:SS" or the two words "DD/MM/YY" "HH:MM:SS".
ops::ClockSetting ParseClockSetting(std::span<const std::string> words);

// "--name VALUE" pairs and bare flags ("--verify") in any order, each at most
// once and only the known ones; the messages name `command`.
struct FileOptions {
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;

  bool Has(std::string_view name) const { return values.contains(name) || flags.contains(name); }
  // The value given, or empty when the option was left out.
  std::string Value(std::string_view name) const;
};
FileOptions ParseFileOptions(std::string_view command, std::span<const std::string> args,
                             std::span<const std::string_view> options,
                             std::span<const std::string_view> flags = {});

// Throws unless `args` holds exactly `count` words.
void RequireArgumentCount(std::span<const std::string> args, std::size_t count);

}  // namespace zm48d::cli
