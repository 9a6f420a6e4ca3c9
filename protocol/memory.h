#pragma once
// The controller's two address spaces: the EEPROM space (command 'D': rules,
// event stack) and the settings space (command 'G': configuration block, tag list).
// Reads come back as hexadecimal text, writes go out as raw bytes and are
// acknowledged "OK". Addresses are 16 bits, high byte first.
#include <array>
#include <cstdint>

#include "protocol/link_state.h"

namespace zm48d {

inline constexpr int kPageSize = 128;
inline constexpr int kReadBlockSize = 16;
inline constexpr int kEepromWriteChunk = 128;
inline constexpr std::uint16_t kConfigBlockAddress = 0x8000;
inline constexpr std::uint16_t TagListStart = 0xB000;

using Page = std::array<std::uint8_t, kPageSize>;

// Each returns true when every frame succeeded and leaves the status of the last
// transaction. A length of 0 or less sends nothing and returns false.
bool ReadEeprom(LinkState& link, int address, int length, std::uint8_t* buffer, LinkStatus& status);
bool WriteEeprom(LinkState& link, int address, int length, const std::uint8_t* bytes,
                 LinkStatus& status);
bool ReadPage(LinkState& link, int address, Page& page, LinkStatus& status);
bool WritePage(LinkState& link, int address, const Page& page, LinkStatus& status);
bool ReadConfigBlock(LinkState& link, Page& page, LinkStatus& status);
bool WriteConfigBlock(LinkState& link, const Page& page, LinkStatus& status);

}  // namespace zm48d
