#pragma once
// What the controller holds, read back in one port cycle for a backup or a
// verify: the stack header with the tables asked for, and the tag list.
#include <optional>

#include "operations/session.h"
#include "protocol/memory_readback.h"

namespace zm48d::ops {

struct ReadBackParts {
  bool holidays = true;
  bool groups = true;
  bool tags = true;
};

// The rules reading is empty unless holidays or groups were asked for, the tag
// list reading unless tags were.
struct ControllerContents {
  RulesReading rules;
  TagListReading tags;
};

// A port cycle with "Erro ao abrir a serial!!" for a port that does not open;
// a failed frame, or a header or configuration block that describes memory past
// its area, is reported with its text and gives nothing.
std::optional<ControllerContents> ReadControllerBack(const Session& session, ReadBackParts parts);

}  // namespace zm48d::ops
