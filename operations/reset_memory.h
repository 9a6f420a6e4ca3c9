#pragma once
// "Zerar memória": empties the controller's tag list and gives it an empty rules
// image and event stack, by rewriting two blocks read-modify-write:
//   1. the configuration block: tag list at TagListStart with 0 tags;
//   2. the StackHeader at EEPROM 0: bytes 0..13 of an empty layout, 14..15 kept.
// It stops at the first stage that fails; what was written before stays written.
// The memory notice ('I') is not sent.
#include <cstdint>
#include <string_view>

#include "operations/session.h"

namespace zm48d::ops {

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

// The two stages on an open port. Leaves the status of the last transaction.
ResetMemoryFailure ResetMemory(LinkState& link, LinkStatus& status);

// "Zerar memória": a port cycle (a port that does not open shows `openFailure`,
// the page shows nothing), the stages, and one numbered text per failed stage; a
// configuration block that could not be read reports its read and its stage.
// Success shows nothing.
bool ResetControllerMemory(const Session& session, std::string_view openFailure = {});

}  // namespace zm48d::ops
