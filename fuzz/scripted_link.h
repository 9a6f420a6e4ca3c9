#pragma once
// The terminal's link over a line whose far end sends the fuzzer's bursts, its
// port open as an operation finds it.
#include <cstdint>
#include <utility>
#include <vector>

#include "fuzz/scripted_line.h"
#include "link/serial_port.h"
#include "protocol/link_state.h"

namespace zm48d::fuzz {

struct ScriptedLink {
  explicit ScriptedLink(std::vector<std::vector<std::uint8_t>> bursts) : line(std::move(bursts)) {
    SerialOpen(link.serial, 1);
  }
  // `link` holds on to `line`: a copy would read from the original's line.
  ScriptedLink(const ScriptedLink&) = delete;
  ScriptedLink& operator=(const ScriptedLink&) = delete;

  ScriptedLine line;
  LinkState link{line};
};

}  // namespace zm48d::fuzz
