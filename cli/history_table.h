#pragma once
// Stored events as `zm48d history` prints them: the columns of `zm48d events`
// with the controller and the harvest time after them, or the counts per day
// and door; aligned columns, or CSV with its header row.
#include <ostream>
#include <span>

#include "store/event_store.h"

namespace zm48d::cli {

void PrintHistory(std::ostream& out, std::span<const store::StoredEvent> events, bool csv);
void PrintSummary(std::ostream& out, std::span<const store::DaySummary> days, bool csv);

}  // namespace zm48d::cli
