#pragma once
// Single settings in the controller's configuration block (the settings page at
// 0x8000, laid out in memory_map.h), each changed by reading the whole page,
// changing its bytes and writing it back, so every other byte keeps the
// controller's value.
#include <array>
#include <cstdint>

#include "protocol/link_state.h"

namespace zm48d {

bool ReadHeadAddress(LinkState& link, std::uint8_t& head, LinkStatus& status);
// Always talks to the controller through head 0xAA; HeadAddress is restored on every path.
bool WriteHeadAddress(LinkState& link, std::uint8_t head, LinkStatus& status);
// A relay time as the controller keeps it: one byte of 250 ms units, so the
// division is cut to its low 8 bits (-1 ms, passed on as 4294967295, keeps 221).
std::uint8_t RelayTimeUnits(std::uint32_t milliseconds);

bool ReadRelayTimes(LinkState& link, std::array<int, 4>& milliseconds, LinkStatus& status);
bool WriteRelayTimes(LinkState& link, const std::array<std::uint32_t, 4>& milliseconds,
                     LinkStatus& status);
bool ReadReaderTimeouts(LinkState& link, std::array<std::uint8_t, 4>& seconds, LinkStatus& status);
bool WriteReaderTimeouts(LinkState& link, const std::array<std::uint8_t, 4>& seconds,
                         LinkStatus& status);
bool WriteTagListInfo(LinkState& link, int startAddress, int tagCount, LinkStatus& status);
// The bytes WriteTagListInfo changes, in a block of kPageSize bytes: the list's
// start address and its count (low 16 bits each), big-endian.
void PutTagListInfo(std::uint8_t* configBlock, int startAddress, int tagCount);

// Relay times and reader timeouts in one go, then the memory notice; runs with a
// status of its own.
bool WriteDefaultConfiguration(LinkState& link, const std::array<std::uint32_t, 4>& relayTimes,
                               const std::array<std::uint8_t, 4>& readerTimeouts);

}  // namespace zm48d
