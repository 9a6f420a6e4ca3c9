#include "cli/event_table.h"

#include <cstddef>
#include <string>
#include <vector>

#include "operations/csv_row.h"
#include "operations/operator_texts.h"
#include "protocol/event_columns.h"

namespace zm48d::cli {

namespace {

std::vector<EventCells> DecodeRecords(std::span<const std::uint8_t> records) {
  std::vector<EventCells> rows;
  for (std::size_t offset = 0; offset + EventRecordSize <= records.size();
       offset += EventRecordSize) {
    rows.push_back(EventGridCells(records.data() + offset));
  }
  return rows;
}

void PrintTable(std::ostream& out, const std::vector<EventCells>& rows) {
  for (const std::string& line : EventColumnLines(rows)) out << line << '\n';
  out << text::kRecordCountCaption << rows.size() << '\n';
}

}  // namespace

// CSV always starts with its header row, so an empty stack is a header alone.
void PrintEvents(std::ostream& out, std::span<const std::uint8_t> records, bool csv) {
  const std::vector<EventCells> rows = DecodeRecords(records);
  if (csv) {
    ops::PrintCsvRow(out, EventHeaderCells());
    for (const EventCells& row : rows) ops::PrintCsvRow(out, row);
  } else if (rows.empty()) {
    out << text::kNoRecords << '\n';
  } else {
    PrintTable(out, rows);
  }
}

}  // namespace zm48d::cli
