#include "cli/arguments.h"

#include <algorithm>
#include <cstddef>
#include <sstream>

#include "files/hex_digits.h"
#include "files/runtime_errors.h"
#include "protocol/calendar.h"

namespace zm48d::cli {

namespace {

constexpr std::uint64_t kLargestNumber = 0xFFFFFFFFull;

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

[[noreturn]] void NotANumber(std::string_view text, std::string_view what) {
  throw UsageError(std::string(what) + ": " + Quoted(text) +
                   " is not a number (decimal, or hexadecimal with 0x)");
}

}  // namespace

std::uint64_t ParseNumber(std::string_view text, std::string_view what) {
  int base = 10;
  std::string_view digits = text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  if (digits.empty()) NotANumber(text, what);
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = DigitValue(c, base);
    if (digit < 0) NotANumber(text, what);
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > kLargestNumber) {
      throw UsageError(std::string(what) + ": " + Quoted(text) + " is too large");
    }
  }
  return value;
}

std::uint64_t ParseNumberInRange(std::string_view text, std::string_view what, std::uint64_t low,
                                 std::uint64_t high) {
  const std::uint64_t value = ParseNumber(text, what);
  if (value < low || value > high) {
    std::ostringstream message;
    message << what << " must be from " << low << " to " << high << ", not " << Quoted(text);
    throw UsageError(message.str());
  }
  return value;
}

std::uint16_t ParseAddress(std::string_view text) {
  const std::uint64_t value = ParseNumber(text, "ADDR");
  if (value > 0xFFFF) {
    throw UsageError("ADDR must be from 0 to 0xFFFF (65535), not " + Quoted(text));
  }
  return static_cast<std::uint16_t>(value);
}

int ParseEditInteger(std::string_view text) {
  try {
    return StrToInt(text);
  } catch (const ConversionError& error) {
    throw UsageError(error.what());
  }
}

std::vector<std::uint8_t> ParseHexBytes(std::span<const std::string> words) {
  std::string digits;
  for (const std::string& word : words) {
    for (char c : word) {
      if (c == ' ' || c == '\t') continue;
      if (HexDigitValue(c) < 0) {
        throw UsageError("HEXBYTES: " + Quoted(word) + " is not hexadecimal");
      }
      digits.push_back(c);
    }
  }
  if (digits.empty()) throw UsageError("HEXBYTES: no bytes given");
  if (digits.size() % 2 != 0) {
    throw UsageError("HEXBYTES: two hexadecimal digits per byte, got " +
                     std::to_string(digits.size()) + " digits");
  }
  std::vector<std::uint8_t> bytes;
  bytes.reserve(digits.size() / 2);
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    bytes.push_back(
        static_cast<std::uint8_t>(HexDigitValue(digits[i]) * 16 + HexDigitValue(digits[i + 1])));
  }
  return bytes;
}

ops::ClockSetting ParseClockSetting(std::span<const std::string> words) {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
  const std::size_t blank = joined.find(' ');
  ops::ClockSetting setting;
  if (blank != std::string::npos) {
    setting.date = joined.substr(0, blank);
    setting.time = joined.substr(blank + 1);
  }
  if (!HasLocalTimeShape(setting.date + " " + setting.time)) {
    throw UsageError("the clock takes \"DD/MM/YY HH:MM:SS\", not " + Quoted(joined));
  }
  if (!ops::IsCalendarTime(setting)) {
    throw UsageError(Quoted(joined) + " is no date and time of the calendar (year 20YY; hour " +
                     "below 24, minutes and seconds below 60)");
  }
  return setting;
}

std::string FileOptions::Value(std::string_view name) const {
  const auto found = values.find(name);
  return found == values.end() ? std::string() : found->second;
}

FileOptions ParseFileOptions(std::string_view command, std::span<const std::string> args,
                             std::span<const std::string_view> options,
                             std::span<const std::string_view> flags) {
  const auto known = [](std::span<const std::string_view> names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  const std::string prefix = std::string(command) + ": ";
  FileOptions parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (parsed.Has(name)) throw UsageError(prefix + name + " given twice");
    if (known(flags, name)) {
      parsed.flags.insert(name);
    } else if (known(options, name)) {
      if (i + 1 >= args.size()) throw UsageError(prefix + name + " needs a file name");
      parsed.values.emplace(name, args[++i]);
    } else {
      throw UsageError(prefix + "unknown option " + Quoted(name));
    }
  }
  return parsed;
}

void RequireArgumentCount(std::span<const std::string> args, std::size_t count) {
  if (args.size() != count) {
    throw UsageError("expected " + std::to_string(count) + " argument" + (count == 1 ? "" : "s") +
                     ", got " + std::to_string(args.size()));
  }
}

}  // namespace zm48d::cli
