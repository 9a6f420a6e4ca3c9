#pragma once
// The controller's two address spaces: the EEPROM space (command 'D': rules,
// event stack) and the settings space (command 'G': configuration block, tag list).
// Reads come back as hexadecimal text, writes go out as raw bytes and are
// acknowledged "OK". Addresses are 16 bits, high byte first.
#include <array>
#include <cstdint>

#include "protocol/link_state.h"
#include "protocol/memory_map.h"

namespace zm48d {

// Each returns true when every frame succeeded and leaves the status of the last
// transaction. A length of 0 or less sends nothing and returns false. A read
// answer that does not carry its 16 bytes as 32 upper-case hexadecimal characters
// fails the read there, with the status of its (sound) transaction.
bool ReadEeprom(LinkState& link, int address, int length, std::uint8_t* buffer, LinkStatus& status);
bool WriteEeprom(LinkState& link, int address, int length, const std::uint8_t* bytes,
                 LinkStatus& status);
bool ReadPage(LinkState& link, int address, Page& page, LinkStatus& status);
bool WritePage(LinkState& link, int address, const Page& page, LinkStatus& status);
bool ReadConfigBlock(LinkState& link, Page& page, LinkStatus& status);
bool WriteConfigBlock(LinkState& link, const Page& page, LinkStatus& status);

}  // namespace zm48d
