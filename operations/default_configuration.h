#pragma once
// The hidden Button41 of the "Pilha" page (and `defaults`): the controller's
// relay times and reader timeouts put back to their factory values.
#include <array>
#include <cstdint>
#include <string_view>

#include "operations/session.h"

namespace zm48d::ops {

inline constexpr std::array<std::uint32_t, 4> kDefaultRelayTimesMs = {1500, 1500, 1500, 1500};
inline constexpr std::array<std::uint8_t, 4> kDefaultReaderTimeouts = {2, 2, 2, 2};

// Relay times 1500 ms and reader timeouts 2 s, then the memory notice;
// "Operação concluída!!" or "Erro!!". The page shows nothing when the port does
// not open; `openFailure` is shown then.
bool RestoreDefaultConfiguration(const Session& session, std::string_view openFailure = {});

}  // namespace zm48d::ops
