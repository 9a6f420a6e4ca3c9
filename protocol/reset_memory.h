#pragma once
// "Zerar memória": empties the controller's tag list and gives it an empty rules
// image and event stack, by rewriting two blocks read-modify-write:
//   1. the configuration block: tag list at 0xB000 with 0 tags;
//   2. the StackHeader at EEPROM 0: bytes 0..13 of an empty layout, 14..15 kept.
// It stops at the first stage that fails; what was written before stays written.
// The memory notice ('I') is not sent.
#include <cstdint>

#include "protocol/link_state.h"

namespace zm48d {

enum class ResetMemoryFailure {
  kNone,         // both blocks rewritten
  kConfigRead,   // the configuration block could not be read: nothing was written
  kConfigWrite,  // its write failed
  kHeaderRead,   // the StackHeader could not be read: only the configuration block changed
  kHeaderWrite,  // its write failed
};

// StackHeader bytes 0..13 after a reset: no holidays and no groups, both tables at
// 0x0020, the event stack at 0x0020 with its top there too (no events waiting) and
// its limit at 0x0084, room for ten 10-byte records.
inline constexpr std::uint8_t kResetStackHeader[14] = {0x00, 0x00, 0x20, 0x00, 0x00, 0x20, 0x00,
                                                       0x00, 0x00, 0x20, 0x00, 0x20, 0x00, 0x84};

// Needs the port open. Leaves the status of the last transaction.
ResetMemoryFailure ResetMemory(LinkState& link, LinkStatus& status);

}  // namespace zm48d
