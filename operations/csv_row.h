#pragma once
// One spreadsheet row: the cells separated by commas, a cell holding a comma, a
// quote or a line break in quotes (its quotes doubled), the row ended by a line.
#include <ostream>
#include <span>
#include <string>

namespace zm48d::ops {

void PrintCsvRow(std::ostream& out, std::span<const std::string> cells);

}  // namespace zm48d::ops
