#pragma once
// One poll of the controller's reader activity: eight entries of a 24-bit tag and
// a value byte, answered in two frames to one request (command 'J').
#include <array>
#include <string>

#include "protocol/link_state.h"
#include "protocol/memory_map.h"

namespace zm48d {

// Text of each entry: six hexadecimal digits of the tag, "*", two of the value.
// `flag` sends 'S', otherwise 'N'. Runs with a status of its own; the texts are
// changed only on success.
bool ReadOnline(LinkState& link, bool flag, std::array<std::string, kOnlineEntries>& texts);

}  // namespace zm48d
