#include "operations/csv_row.h"

#include <cstddef>

namespace zm48d::ops {

namespace {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

void PrintCsvRow(std::ostream& out, std::span<const std::string> cells) {
  for (std::size_t c = 0; c < cells.size(); ++c) out << (c ? "," : "") << CsvField(cells[c]);
  out << '\n';
}

}  // namespace zm48d::ops
