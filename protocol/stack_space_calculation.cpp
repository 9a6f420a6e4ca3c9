#include "protocol/stack_space_calculation.h"

#include "protocol/file_headers.h"
#include "protocol/line_file.h"
#include "protocol/rules_image.h"
#include "protocol/runtime_errors.h"
#include "protocol/transfer_texts.h"

namespace zm48d {

namespace {

// Any fault in the two first lines means the operator picked the wrong files:
// one message covers a wrong header, a missing line and a count that is no number.
StackSpaceCalculation FromLines(const LineList& holidays, const LineList& groups) {
  const StackSpaceCalculation incompatible{std::nullopt, transfer_text::kIncompatibleFiles};
  try {
    if (holidays.at(HeaderLineIndex) != HolidaysHeader) return incompatible;
    if (groups.at(HeaderLineIndex) != GroupsHeader) return incompatible;
    const long long h = StrToInt(holidays.at(CountLineIndex));
    const long long g = StrToInt(groups.at(CountLineIndex));
    return {StackSpace(h, g), {}};
  } catch (const ConversionError&) {
    return incompatible;
  } catch (const ListIndexError&) {
    return incompatible;
  }
}

}  // namespace

StackSpaceCalculation CalculateStackSpace(const std::string& holidaysPath,
                                          const std::string& groupsPath) {
  if (holidaysPath.empty() || groupsPath.empty()) {
    return {std::nullopt, transfer_text::kChooseFiles};
  }
  const LineList holidays = LoadLines(holidaysPath);
  const LineList groups = LoadLines(groupsPath);
  return FromLines(holidays, groups);
}

std::string StackSpaceCaption(long long space) { return "= " + std::to_string(space); }

}  // namespace zm48d
