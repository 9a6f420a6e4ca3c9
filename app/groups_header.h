#pragma once
// The groups grid's header row: "Grupo", a start and an end column for each day
// from Monday to Sunday (the order the controller keeps its weekly windows in),
// then "Feriados".
#include <QStringList>

namespace zm48d {

QStringList GroupsHeaderRow();

}  // namespace zm48d
