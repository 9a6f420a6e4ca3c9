#pragma once
// The WHERE clause of a history filter, with the values its placeholders take.
#include <string>
#include <utility>
#include <vector>

#include "store/event_store.h"

namespace zm48d::store {

struct FilterClause {
  std::string where;  // "" or " WHERE ..." over the events table's columns
  std::vector<std::pair<std::string, std::string>> values;  // placeholder name, value
};

// Each field becomes a plain comparison on one column, so the indexes on tag,
// controller and date serve the search.
FilterClause MakeFilterClause(const HistoryFilter& filter);

}  // namespace zm48d::store
