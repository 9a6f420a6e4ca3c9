// relay-times, reader-timeouts, head, defaults: the settings kept in the
// controller's configuration block.
#include <array>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "protocol/config_block.h"
#include "protocol/hex_text.h"

namespace zm48d::cli {

namespace {

constexpr std::size_t kFourValues = 4;
// The reader timeout field holds 1..63 s; larger values are cut, never refused.
constexpr int kReaderTimeoutMask = 0x3F;
// The values of the event-stack page's hidden default-configuration button.
constexpr std::array<std::uint32_t, 4> kDefaultRelayTimes = {1500, 1500, 1500, 1500};
constexpr std::array<std::uint8_t, 4> kDefaultReaderTimeouts = {2, 2, 2, 2};

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

int ReadRelayTimesCommand(CommandContext& context) {
  PortCycle port(context, text::kOpenSerialFailed);
  if (!port.IsOpen()) return kExitFailure;
  std::array<int, 4> milliseconds{};
  LinkStatus status = link_status::kOk;
  if (!ReadRelayTimes(context.link, milliseconds, status)) {
    context.err << text::kRelayTimesReadFailed << '\n';
    return kExitFailure;
  }
  PrintValues(context.out, milliseconds);
  return kExitSuccess;
}

int ReadReaderTimeoutsCommand(CommandContext& context) {
  PortCycle port(context, text::kOpenPortFailed);
  if (!port.IsOpen()) return kExitFailure;
  std::array<std::uint8_t, 4> seconds{};
  LinkStatus status = link_status::kOk;
  if (!ReadReaderTimeouts(context.link, seconds, status)) {
    context.err << text::kReadersReadFailed << '\n';
    return kExitFailure;
  }
  PrintValues(context.out, seconds);  // the controller's bytes as they are, unmasked
  return kExitSuccess;
}

int ReadHeadCommand(CommandContext& context) {
  PortCycle port(context, text::kOpenSerialFailed);
  if (!port.IsOpen()) return kExitFailure;
  std::uint8_t head = 0;
  LinkStatus status = link_status::kOk;
  if (!ReadHeadAddress(context.link, head, status)) {
    context.err << text::kHeadReadFailed << '\n';
    return kExitFailure;
  }
  context.out << HexByte(head) << '\n';
  return kExitSuccess;
}

}  // namespace

int RunRelayTimes(CommandContext& context) {
  RequireNoneOrFour(context.args, "relay-times");
  if (context.args.empty()) return ReadRelayTimesCommand(context);
  // Passed on as the window passes its edits: a negative number becomes a large
  // unsigned one, and the block keeps (ms / 250) & 0xFF.
  std::array<std::uint32_t, 4> milliseconds{};
  for (std::size_t i = 0; i < kFourValues; ++i) {
    milliseconds[i] = static_cast<std::uint32_t>(ParseEditInteger(context.args[i]));
  }
  PortCycle port(context, text::kOpenSerialFailed);
  if (!port.IsOpen()) return kExitFailure;
  LinkStatus status = link_status::kOk;
  return Report(context, WriteRelayTimes(context.link, milliseconds, status), text::kWriteDone,
                text::kRelayTimesWriteFailed);
}

int RunReaderTimeouts(CommandContext& context) {
  RequireNoneOrFour(context.args, "reader-timeouts");
  if (context.args.empty()) return ReadReaderTimeoutsCommand(context);
  std::array<std::uint8_t, 4> seconds{};
  for (std::size_t i = 0; i < kFourValues; ++i) {
    seconds[i] = static_cast<std::uint8_t>(ParseEditInteger(context.args[i]) & kReaderTimeoutMask);
  }
  PortCycle port(context, text::kOpenPortFailed);
  if (!port.IsOpen()) return kExitFailure;
  LinkStatus status = link_status::kOk;
  return Report(context, WriteReaderTimeouts(context.link, seconds, status),
                text::kReadersWriteDone, text::kReadersWriteFailed);
}

// Reading talks to the controller at the terminal's head (--head); writing always
// goes through head AA, and the terminal's head stays what it was.
int RunHead(CommandContext& context) {
  if (context.args.size() > 1) throw UsageError("head takes at most one value (HEX)");
  if (context.args.empty()) return ReadHeadCommand(context);
  const std::uint8_t head = HeadFromText(context.args[0]);
  PortCycle port(context, text::kOpenSerialFailed);
  if (!port.IsOpen()) return kExitFailure;
  LinkStatus status = link_status::kOk;
  return Report(context, WriteHeadAddress(context.link, head, status), text::kWriteDone,
                text::kHeadWriteFailed);
}

int RunDefaults(CommandContext& context) {
  RequireArgumentCount(context.args, 0);
  // The window's hidden button shows nothing when the port does not open; a
  // script is told, with the text of the first port cycle, the Beep's.
  PortCycle port(context, text::kOpenPortFailed);
  if (!port.IsOpen()) return kExitFailure;
  const bool ok =
      WriteDefaultConfiguration(context.link, kDefaultRelayTimes, kDefaultReaderTimeouts);
  return Report(context, ok, text::kDone, text::kError);
}

}  // namespace zm48d::cli
