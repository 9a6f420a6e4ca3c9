#include "operations/open_failure_text.h"

#include <cstddef>
#include <vector>

#include "link/device_holders.h"
#include "link/port_url.h"
#include "operations/operator_texts.h"

namespace zm48d::ops {

namespace {

// "in use by minicom (pid 812), screen (pid 907)", or by another program when
// the system does not say which.
std::string InUseBy(const std::string& path) {
  const std::string holders = ProgramsHoldingText(path);
  if (holders.empty()) return std::string(text::kInUseByAnotherProgram);
  return std::string(text::kInUseBy) + holders;
}

std::string Hint(const OpenFailure& failure) {
  using Problem = OpenFailure::Problem;
  switch (failure.problem) {
    case Problem::kNoPermission: return std::string(text::kJoinDialoutGroup);
    case Problem::kInUse:
      return IsPortUrl(failure.path) ? std::string(text::kInUseByAnotherClient)
                                     : InUseBy(failure.path);
    case Problem::kNotATerminal: return std::string(text::kNotASerialDevice);
    default: return {};
  }
}

}  // namespace

std::string ProgramsHoldingText(const std::string& path) {
  const std::vector<HoldingProgram> holders = ProgramsHolding(path);
  std::string line;
  for (std::size_t i = 0; i < holders.size(); ++i) {
    if (i > 0) line += ", ";
    line += holders[i].name + " (pid " + std::to_string(holders[i].pid) + ")";
  }
  return line;
}

std::string OpenFailureExplanation(const OpenFailure& failure) {
  if (failure.path.empty() || failure.problem == OpenFailure::Problem::kNone) return {};
  const bool silent = failure.problem == OpenFailure::Problem::kNoAnswer;
  std::string line = failure.path + ": " +
                     (silent ? std::string(text::kNoAnswerInConnectBound) : failure.Reason());
  if (const std::string hint = Hint(failure); !hint.empty()) line += "; " + hint;
  return line;
}

}  // namespace zm48d::ops
