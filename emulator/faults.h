#pragma once
// Faults the emulator can put on the line, so that a terminal meets every way an
// answer can go wrong.
#include <cstdint>

namespace zm48d::emu {

enum class Fault {
  kNone,
  kNoAnswer,     // say nothing
  kWrongHead,    // answer with another head address
  kBadStart,     // first byte not 0x02
  kBadChecksum,  // checksum off by one
  kTruncated,    // stop in the middle of the body
  kOverLong,     // a length byte describing more than the terminal can hold
  kNotOk,        // acknowledge a write with "NO" instead of "OK"
  kShortHeader,  // send only two bytes
  kDropSecond,   // send only the first frame of a two-frame answer
  kHangUp,       // stop in the middle of the body and hang up the line (needs root:
                 // without the right to hang up, the answer is only cut short)
  kLowerCase,    // send the hexadecimal letters of an answer in lower case
  kShortData,    // a sound frame whose data lack their last two characters ("OK" kept)
};

// Which answers a fault hits: after `skip` requests answered normally, the next
// `count` requests (count < 0: all of them) get the fault. Only requests with the
// command letter `command` count, when it is not 0.
struct FaultPlan {
  Fault fault = Fault::kNone;
  int skip = 0;
  int count = -1;
  std::uint8_t command = 0;
};

}  // namespace zm48d::emu
