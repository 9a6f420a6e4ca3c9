#pragma once
// What the controller holds set against what the files would give it, one line
// per difference in the operator's words: the record and the field, the
// controller's value, then the file's ("grupo 03, Terça início: controlador
// 08:00, arquivo 08:30"). The event stack pointers are not compared: every
// upload places the stack anew.
#include <string>
#include <vector>

#include "protocol/memory_readback.h"

namespace zm48d::ops {

// Stack header fields 0..7 and the tables asked for, record by record in table
// order: the counts and tables of the files given, the two table addresses and
// the reserved bytes whenever a rules file is compared. A table longer on one
// side has its extra records named as missing on the other.
std::vector<std::string> RulesDifferences(const RulesReading& controller, const RulesReading& files,
                                          RulesTables compared);

// The list's address and count, then each tag of the file looked up by its
// number among the controller's (so an inserted tag does not make every later
// one differ): its doors and group, or that it is missing; the controller's tags
// the file does not have; when the two hold the same tags in another order,
// where the order first differs; and filler bytes that are not 0x00.
std::vector<std::string> TagListDifferences(const TagListReading& controller,
                                            const TagListReading& files);

}  // namespace zm48d::ops
