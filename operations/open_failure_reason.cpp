#include "operations/open_failure_reason.h"

#include <system_error>

#include "link/port_url.h"
#include "operations/open_failure_text.h"
#include "operations/operator_texts.h"

namespace zm48d::ops {

namespace {

// A network server that refuses a second client says so in its own words; they
// are kept after ours.
std::string InUse(const OpenFailure& failure) {
  if (IsPortUrl(failure.path)) {
    std::string line(text::kInUseByAnotherClientPt);
    if (!failure.detail.empty()) line += " (" + failure.detail + ")";
    return line;
  }
  std::string line(text::kInUseByAnotherProgramPt);
  if (const std::string holders = ProgramsHoldingText(failure.path); !holders.empty()) {
    line += ": " + holders;
  }
  return line;
}

// The system's code as a condition both platforms share (errno on POSIX,
// GetLastError() on Windows); a code with no words of ours keeps the system's.
std::string OtherReason(const OpenFailure& failure) {
  // A network link with no code ended because the server closed the connection.
  if (failure.systemError == 0) return std::string(text::kConnectionEnded);
  const std::error_condition condition =
      std::system_category().default_error_condition(failure.systemError);
  if (condition == std::errc::connection_refused) return std::string(text::kConnectionRefused);
  if (condition == std::errc::connection_reset) return std::string(text::kConnectionEnded);
  if (condition == std::errc::host_unreachable || condition == std::errc::network_unreachable) {
    return std::string(text::kServerUnreachable);
  }
  if (condition == std::errc::io_error) return std::string(text::kInputOutputError);
  return std::string(text::kSystemError) + std::to_string(failure.systemError) + " (" +
         failure.Reason() + ")";
}

std::string Reason(const OpenFailure& failure) {
  using Problem = OpenFailure::Problem;
  switch (failure.problem) {
    case Problem::kMissing: return std::string(text::kDeviceMissing);
    case Problem::kNoPermission: return std::string(text::kNoPermission);
    case Problem::kInUse: return InUse(failure);
    case Problem::kNotATerminal: return std::string(text::kNotASerialDevicePt);
    // A URL that does not parse has no system code; a host that does not resolve has.
    case Problem::kBadAddress:
      return std::string(failure.systemError == 0 ? text::kBadUrl : text::kServerNotFound);
    case Problem::kNoAnswer: return std::string(text::kNoAnswerInConnectBound);
    case Problem::kSettingRefused: return std::string(text::kSettingsRefused);
    default: return OtherReason(failure);
  }
}

}  // namespace

std::string OpenFailureReason(int portNumber, const OpenFailure& failure) {
  if (failure.path.empty() || failure.problem == OpenFailure::Problem::kNone) return {};
  return "COM " + std::to_string(portNumber) + " (" + failure.path + "): " + Reason(failure);
}

}  // namespace zm48d::ops
