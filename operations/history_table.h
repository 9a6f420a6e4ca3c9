#pragma once
// Stored events as `zm48d history` prints them: the columns of `zm48d events`
// with the controller and the harvest time after them, or the counts per day
// and door; aligned columns, or CSV with its header row.
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "store/event_store.h"

namespace zm48d::ops {

using HistoryCells = std::vector<std::string>;

// The history's header: the event grid's columns, then "Controlador" and "Coletado em".
HistoryCells HistoryHeader();
// One stored event's cells under that header.
HistoryCells HistoryRow(const store::StoredEvent& event);

void PrintHistory(std::ostream& out, std::span<const store::StoredEvent> events, bool csv);
void PrintSummary(std::ostream& out, std::span<const store::DaySummary> days, bool csv);

}  // namespace zm48d::ops
