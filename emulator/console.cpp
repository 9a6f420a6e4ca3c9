#include "emulator/console.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <sstream>
#include <utility>
#include <vector>

#include "files/hex_digits.h"
#include "protocol/big_endian.h"
#include "protocol/event_columns.h"

namespace zm48d::emu {

namespace {

constexpr std::pair<std::string_view, Fault> kFaultNames[] = {
    {"none", Fault::kNone},
    {"no-answer", Fault::kNoAnswer},
    {"wrong-head", Fault::kWrongHead},
    {"bad-start", Fault::kBadStart},
    {"bad-checksum", Fault::kBadChecksum},
    {"truncated", Fault::kTruncated},
    {"over-long", Fault::kOverLong},
    {"not-ok", Fault::kNotOk},
    {"short-header", Fault::kShortHeader},
    {"drop-second", Fault::kDropSecond},
    {"hang-up", Fault::kHangUp},
    {"lower-case", Fault::kLowerCase},
    {"short-data", Fault::kShortData},
};

// Hexadecimal digits of either case, "0x" before them allowed, within 64 bits.
bool ParseHex(const std::string& text, std::uint64_t& value) {
  std::string_view digits = text;
  if (digits.starts_with("0x") || digits.starts_with("0X")) digits.remove_prefix(2);
  if (digits.empty()) return false;
  std::uint64_t parsed = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0 || parsed >> 60 != 0) return false;
    parsed = parsed << 4 | static_cast<std::uint64_t>(digit);
  }
  value = parsed;
  return true;
}

// Six decimal digits as three BCD bytes: "071226" -> 07 12 26.
bool ParseBcdTriple(const std::string& text, std::uint8_t* out) {
  if (text.size() != 6) return false;
  for (int i = 0; i < 3; ++i) {
    std::uint64_t v = 0;
    if (!ParseHex(text.substr(2 * i, 2), v)) return false;
    out[i] = static_cast<std::uint8_t>(v);
  }
  return true;
}

ConsoleReply PushEvent(PtyEmulator& emulator, std::istringstream& in) {
  std::string tag, date, time, flags;
  in >> tag >> date >> time >> flags;
  std::uint64_t tagValue = 0, flagValue = 0;
  std::array<std::uint8_t, EventRecordSize> record{};
  if (!ParseHex(tag, tagValue) || !ParseBcdTriple(date, &record[3]) ||
      !ParseBcdTriple(time, &record[6]) || !ParseHex(flags, flagValue)) {
    return {"usage: event TAG DDMMYY HHMMSS FLAGS"};
  }
  record[0] = static_cast<std::uint8_t>(tagValue >> 16);
  record[1] = static_cast<std::uint8_t>(tagValue >> 8);
  record[2] = static_cast<std::uint8_t>(tagValue);
  record[9] = static_cast<std::uint8_t>(flagValue);
  const bool pushed = emulator.With([&](Controller& c) { return c.PushEvent(record); });
  return {pushed ? "ok" : "stack full", pushed};
}

constexpr std::string_view kSwipeUsage = "usage: swipe DOOR TAG [DD/MM/YY HH:MM:SS]";

std::string ClockText(const ClockValue& clock) {
  char text[64];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", clock.day, clock.month,
                clock.year, clock.hour, clock.minute, clock.second);
  return text;
}

std::string DamageText(LayoutDamage damage) {
  switch (damage) {
    case LayoutDamage::kTopBelowStart: return "the stack top lies below its start";
    case LayoutDamage::kHolidaysPastArea: return "the holiday table runs past the 2048-byte area";
    case LayoutDamage::kGroupsPastArea: return "the group table runs past the 2048-byte area";
    case LayoutDamage::kLimitPastArea: return "the stack limit lies past the 2048-byte area";
    case LayoutDamage::kTagListPastSpace:
      return "the tag list runs past the end of the settings space";
    case LayoutDamage::kNone: break;
  }
  return "";
}

std::string SwipeFault(ReadFault fault, const std::vector<std::string>& words,
                       const std::string& time) {
  switch (fault) {
    case ReadFault::kDoor: return "swipe: DOOR must be 1 to 4, not '" + words[0] + "'";
    case ReadFault::kTag:
      return "swipe: TAG must be six hexadecimal digits, not '" + words[1] + "'";
    case ReadFault::kTime:
      if (words.size() == 2) {
        return "swipe: the clock holds no real date and time (" + time +
               "): set it, or give DD/MM/YY HH:MM:SS";
      }
      return "swipe: '" + time + "' is no real date and time DD/MM/YY HH:MM:SS";
    case ReadFault::kNone: break;
  }
  return "";
}

// The event's row; then what else the read did, a line each.
ConsoleReply DescribeSwipe(const ReadEffects& effects, int door) {
  const ReadEvaluation& evaluation = effects.evaluation;
  if (evaluation.damage != LayoutDamage::kNone) {
    return {"swipe: damaged memory, " + DamageText(evaluation.damage) + ": nothing recorded"};
  }
  ConsoleReply reply{EventColumnLine(evaluation.record.data()), effects.recorded};
  if (!effects.recorded) reply.text += "\nstack full: the event was not recorded";
  if (evaluation.decision.Granted()) {
    reply.text += "\nrelay " + std::to_string(door) + " pulsed for " +
                  std::to_string(effects.relayMs) + " ms";
  }
  return reply;
}

ConsoleReply Swipe(PtyEmulator& emulator, std::istringstream& in) {
  const std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
  if (words.size() != 2 && words.size() != 4) return {std::string(kSwipeUsage)};
  const std::string time =
      words.size() == 4
          ? words[2] + " " + words[3]
          : ClockText(emulator.With([](const Controller& c) { return c.CurrentClock(); }));
  const ParsedRead parsed = ParseTagRead(words[0], words[1], time);
  if (parsed.fault != ReadFault::kNone) return {SwipeFault(parsed.fault, words, time)};
  const ReadEffects effects = emulator.With([&](Controller& c) { return c.Swipe(parsed.read); });
  return DescribeSwipe(effects, parsed.read.door);
}

std::string SetReader(PtyEmulator& emulator, std::istringstream& in) {
  int index = -1;
  std::string tag, value;
  in >> index >> tag >> value;
  std::uint64_t tagValue = 0, byteValue = 0;
  if (index < 0 || index > 7 || !ParseHex(tag, tagValue) || !ParseHex(value, byteValue)) {
    return "usage: reader N TAG VALUE";
  }
  emulator.With([&](Controller& c) {
    c.online[index] = {static_cast<std::uint32_t>(tagValue & 0xFFFFFF),
                       static_cast<std::uint8_t>(byteValue)};
  });
  return "ok";
}

std::string SetFault(PtyEmulator& emulator, std::istringstream& in) {
  std::string name, command;
  FaultPlan plan;
  in >> name >> plan.skip >> plan.count >> command;
  if (in.fail() && !in.eof()) return "usage: fault MODE [SKIP [COUNT [CMD]]]";
  auto fault = ParseFault(name);
  if (!fault) return "unknown fault: " + name;
  plan.fault = *fault;
  if (!command.empty()) plan.command = static_cast<std::uint8_t>(command[0]);
  emulator.SetFault(plan);
  return "ok";
}

std::string Show(PtyEmulator& emulator) {
  return emulator.With([](const Controller& c) {
    using namespace config_block;
    const std::uint8_t* cfg = &c.settings[kConfigBlockAddress];
    const std::uint8_t* header = c.eeprom.data();
    const int start = GetWord(header + stack_header::kStackStart);
    const int top = GetWord(header + stack_header::kStackTop);
    char text[256];
    std::snprintf(
        text, sizeof text,
        "head %02X  relays %d %d %d %d (x250 ms)  readers %d %d %d %d s  tags %d at %04X\n"
        "stack start %04X top %04X limit %04X (%d waiting)",
        cfg[kHeadAddress], cfg[kRelayTimes], cfg[kRelayTimes + 1], cfg[kRelayTimes + 2],
        cfg[kRelayTimes + 3], cfg[kReaderTimeouts], cfg[kReaderTimeouts + 1],
        cfg[kReaderTimeouts + 2], cfg[kReaderTimeouts + 3], GetWord(cfg + kTagCount),
        GetWord(cfg + kTagListAddress), start, top, GetWord(header + stack_header::kStackLimit),
        (top - start) / EventRecordSize);
    return std::string(text);
  });
}

}  // namespace

std::optional<Fault> ParseFault(std::string_view name) {
  for (const auto& [text, fault] : kFaultNames) {
    if (text == name) return fault;
  }
  return std::nullopt;
}

ConsoleReply RunConsoleLine(PtyEmulator& emulator, std::string_view line) {
  std::istringstream in{std::string(line)};
  std::string verb;
  in >> verb;
  if (verb.empty()) return {};
  if (verb == "event") return PushEvent(emulator, in);
  if (verb == "swipe") return Swipe(emulator, in);
  if (verb == "reader") return {SetReader(emulator, in)};
  if (verb == "fault") return {SetFault(emulator, in)};
  if (verb == "show") return {Show(emulator)};
  if (verb == "help") {
    return {
        "event TAG DDMMYY HHMMSS FLAGS | swipe DOOR TAG [DD/MM/YY HH:MM:SS]"
        " | reader N TAG VALUE | fault MODE [SKIP [COUNT [CMD]]] | show | quit"};
  }
  return {"unknown command: " + verb + " (try help)"};
}

std::string RunConsoleCommand(PtyEmulator& emulator, std::string_view line) {
  return RunConsoleLine(emulator, line).text;
}

}  // namespace zm48d::emu
