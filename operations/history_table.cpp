#include "operations/history_table.h"

#include <string>
#include <vector>

#include "operations/csv_row.h"
#include "operations/operator_texts.h"
#include "protocol/event_columns.h"

namespace zm48d::ops {

HistoryCells HistoryHeader() {
  HistoryCells header(kEventGridHeaders.begin(), kEventGridHeaders.end());
  header.emplace_back(text::kControllerColumn);
  header.emplace_back(text::kHarvestedColumn);
  return header;
}

HistoryCells HistoryRow(const store::StoredEvent& event) {
  const EventCells cells = EventGridCells(event.raw.data());
  HistoryCells row(cells.begin(), cells.end());
  row.push_back(event.controller);
  row.push_back(event.harvestedAt);
  return row;
}

namespace {

using Row = HistoryCells;

const Row kSummaryHeader = {std::string(text::kDateColumn), std::string(text::kDoorColumn),
                            std::string(text::kGrantedColumn), std::string(text::kRefusedColumn)};

Row SummaryRow(const store::DaySummary& day) {
  return {day.date, std::to_string(day.door), std::to_string(day.granted),
          std::to_string(day.refused)};
}

void Print(std::ostream& out, const std::vector<Row>& rows, bool csv) {
  if (csv) {
    for (const Row& row : rows) PrintCsvRow(out, row);
    return;
  }
  for (const std::string& line : TextColumnLines(rows)) out << line << '\n';
}

}  // namespace

// An empty history is the header alone in CSV, the "Pilha" page's words otherwise.
void PrintHistory(std::ostream& out, std::span<const store::StoredEvent> events, bool csv) {
  if (events.empty() && !csv) {
    out << text::kNoRecords << '\n';
    return;
  }
  std::vector<Row> rows{HistoryHeader()};
  for (const store::StoredEvent& event : events) rows.push_back(HistoryRow(event));
  Print(out, rows, csv);
  if (!csv) out << text::kRecordCountCaption << events.size() << '\n';
}

void PrintSummary(std::ostream& out, std::span<const store::DaySummary> days, bool csv) {
  std::vector<Row> rows{kSummaryHeader};
  for (const store::DaySummary& day : days) rows.push_back(SummaryRow(day));
  Print(out, rows, csv);
}

}  // namespace zm48d::ops
