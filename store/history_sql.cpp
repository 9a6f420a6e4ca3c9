#include "store/history_sql.h"

#include <cstddef>

#include "store/event_row.h"

namespace zm48d::store {

FilterClause MakeFilterClause(const HistoryFilter& filter) {
  std::vector<std::string> conditions;
  FilterClause clause;
  const auto compare = [&](const std::string& condition, const std::string& name,
                           std::string value) {
    conditions.push_back(condition + " :" + name);
    clause.values.emplace_back(name, std::move(value));
  };
  if (filter.controller) compare("controller =", "controller", *filter.controller);
  if (filter.tag) compare("tag =", "tag", TagColumn(*filter.tag));
  if (filter.from) compare("event_date >=", "date_from", *filter.from);
  if (filter.to) compare("event_date <=", "date_to", *filter.to);
  if (filter.door) compare("door =", "door", std::to_string(*filter.door));
  if (filter.refusedOnly) conditions.push_back("granted = 0");
  for (std::size_t i = 0; i < conditions.size(); ++i) {
    clause.where += (i == 0 ? " WHERE " : " AND ") + conditions[i];
  }
  return clause;
}

}  // namespace zm48d::store
