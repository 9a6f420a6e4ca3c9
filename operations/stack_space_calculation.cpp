#include "operations/stack_space_calculation.h"

#include "files/file_formats.h"
#include "files/line_file.h"
#include "files/runtime_errors.h"
#include "operations/operator_texts.h"
#include "protocol/rules_image.h"

namespace zm48d::ops {

namespace {

// Any fault in the two first lines means the operator picked the wrong files:
// one message covers a wrong header, a missing line and a count that is no number.
StackSpaceCalculation FromLines(const LineList& holidays, const LineList& groups) {
  const StackSpaceCalculation incompatible{std::nullopt, text::kIncompatibleFiles};
  try {
    if (holidays.at(kHeaderLineIndex) != kHolidaysHeader) return incompatible;
    if (groups.at(kHeaderLineIndex) != kGroupsHeader) return incompatible;
    const long long h = StrToInt(holidays.at(kCountLineIndex));
    const long long g = StrToInt(groups.at(kCountLineIndex));
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
    return {std::nullopt, text::kChooseFiles};
  }
  const LineList holidays = LoadLines(holidaysPath);
  const LineList groups = LoadLines(groupsPath);
  return FromLines(holidays, groups);
}

std::string StackSpaceCaption(long long space) { return "= " + std::to_string(space); }

}  // namespace zm48d::ops
