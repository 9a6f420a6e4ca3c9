// relay-times, reader-timeouts, head, defaults: the settings kept in the
// controller's configuration block.
#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "operations/default_configuration.h"
#include "operations/device_operations.h"
#include "operations/operator_texts.h"
#include "operations/stored_values.h"
#include "protocol/hex_text.h"
#include "protocol/memory_map.h"

namespace zm48d::cli {

namespace {

constexpr std::size_t kFourValues = 4;

void RequireNoneOrFour(const std::vector<std::string>& args, std::string_view command) {
  if (!args.empty() && args.size() != kFourValues) {
    throw UsageError(std::string(command) + " takes no values (read) or four (write), got " +
                     std::to_string(args.size()));
  }
}

template <class Values>
void PrintValues(std::ostream& out, const Values& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    out << (i == 0 ? "" : " ") << static_cast<long long>(values[i]);
  }
  out << '\n';
}

template <class Values>
ops::Deliver<Values> PrintOn(std::ostream& out) {
  return [&out](const Values& values) { PrintValues(out, values); };
}

// Values the controller keeps cut to its field are written all the same; one
// line on the error stream says what was stored.
void NoteWhenCut(std::ostream& err, std::string_view command, const ops::StoredValues& values,
                 std::string_view unitAndField) {
  if (!ops::AnyCut(values)) return;
  err << command << ": stored";
  for (const ops::StoredValue& value : values) err << ' ' << value.stored;
  err << ' ' << unitAndField << '\n';
}

}  // namespace

int RunRelayTimes(CommandContext& context) {
  RequireNoneOrFour(context.args, "relay-times");
  if (context.args.empty()) {
    return ExitStatus(
        ops::ReadRelayTimesInto(context.session, PrintOn<std::array<int, 4>>(context.out)));
  }
  // Passed on as the window passes its edits: a negative number becomes a large
  // unsigned one, and the block keeps (ms / 250) & 0xFF.
  std::array<int, kFourValues> typed{};
  ops::RelayTimes milliseconds{};
  for (std::size_t i = 0; i < kFourValues; ++i) {
    typed[i] = ParseEditInteger(context.args[i]);
    milliseconds[i] = static_cast<std::uint32_t>(typed[i]);
  }
  const bool ok = ops::WriteRelayTimesFrom(context.session, [&] { return milliseconds; });
  if (ok) {
    NoteWhenCut(context.err, "relay-times", ops::StoredRelayTimes(typed),
                "ms (steps of " + std::to_string(kRelayTimeUnitMs) + " ms, 0 to " +
                    std::to_string(0xFF * kRelayTimeUnitMs) + ")");
  }
  return ExitStatus(ok);
}

int RunReaderTimeouts(CommandContext& context) {
  RequireNoneOrFour(context.args, "reader-timeouts");
  if (context.args.empty()) {
    // The controller's bytes as they are, unmasked.
    return ExitStatus(ops::ReadReaderTimeoutsInto(
        context.session, {}, PrintOn<std::array<std::uint8_t, 4>>(context.out)));
  }
  ops::ReaderTimeouts seconds{};
  for (std::size_t i = 0; i < kFourValues; ++i) seconds[i] = ParseEditInteger(context.args[i]);
  const bool ok = ops::WriteReaderTimeoutsFrom(context.session, [&] { return seconds; });
  if (ok) {
    NoteWhenCut(context.err, "reader-timeouts", ops::StoredReaderTimeouts(seconds),
                "s (6 bits: 0 to " + std::to_string(ops::kReaderTimeoutMask) + ")");
  }
  return ExitStatus(ok);
}

// Reading talks to the controller at the terminal's head (--head); writing always
// goes through head AA, and the terminal's head stays what it was.
int RunHead(CommandContext& context) {
  if (context.args.size() > 1) throw UsageError("head takes at most one value (HEX)");
  if (context.args.empty()) {
    return ExitStatus(ops::ReadHeadAddressInto(
        context.session, [&](std::uint8_t head) { context.out << HexByte(head) << '\n'; }));
  }
  const bool ok = ops::ChangeHeadAddress(context.session, HeadFromText(context.args[0]));
  if (const std::string note = HeadCutNote(context.args[0], "stored as"); ok && !note.empty()) {
    context.err << "head: " << note << '\n';
  }
  return ExitStatus(ok);
}

// The window's hidden button shows nothing when the port does not open; a
// script is told, with the text of the first port cycle, the Beep's.
int RunDefaults(CommandContext& context) {
  RequireArgumentCount(context.args, 0);
  return ExitStatus(ops::RestoreDefaultConfiguration(context.session, text::kOpenPortFailed));
}

}  // namespace zm48d::cli
