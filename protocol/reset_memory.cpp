#include "protocol/reset_memory.h"

#include <algorithm>
#include <array>

#include "protocol/event_stack.h"
#include "protocol/memory.h"

namespace zm48d {

namespace {

// Configuration block bytes 10..11: tag list start address; 12..13: tag count.
constexpr int kTagListAddressOffset = 10;
constexpr int kTagCountOffset = 12;

void EmptyTagList(Page& block) {
  block[kTagListAddressOffset] = static_cast<std::uint8_t>(TagListStart >> 8);
  block[kTagListAddressOffset + 1] = static_cast<std::uint8_t>(TagListStart & 0xFF);
  block[kTagCountOffset] = 0;
  block[kTagCountOffset + 1] = 0;
}

}  // namespace

ResetMemoryFailure ResetMemory(LinkState& link, LinkStatus& status) {
  Page block{};
  if (!ReadConfigBlock(link, block, status)) return ResetMemoryFailure::kConfigRead;
  EmptyTagList(block);
  if (!WriteConfigBlock(link, block, status)) return ResetMemoryFailure::kConfigWrite;

  std::array<std::uint8_t, StackHeaderSize> header{};
  if (!ReadStackHeader(link, header, status)) return ResetMemoryFailure::kHeaderRead;
  std::copy(std::begin(kResetStackHeader), std::end(kResetStackHeader), header.begin());
  if (!WriteEeprom(link, 0, StackHeaderSize, header.data(), status)) {
    return ResetMemoryFailure::kHeaderWrite;
  }
  return ResetMemoryFailure::kNone;
}

}  // namespace zm48d
