#pragma once
// A controller at a glance, in one port cycle: does it answer a beep, what its
// clock says, the head address it keeps, and how many tags its settings list.
#include <cstdint>
#include <optional>
#include <string>

#include "operations/session.h"

namespace zm48d::ops {

struct ControllerStatus {
  std::string clock;      // "DD/MM/YY HH:MM:SS weekday"
  std::uint8_t head = 0;  // as stored in its settings
  int tags = 0;           // the tag count in its settings
};

// The status, or nothing with the failing step's text shown ("Erro ao ler relógio!!").
std::optional<ControllerStatus> ReadControllerStatus(const Session& session);

// "beep ok; 07/12/26 14:05:09 Segunda; head AA; 999 tags"
std::string StatusLine(const ControllerStatus& status);

}  // namespace zm48d::ops
