#pragma once
// The controller's two address spaces as plain bytes. The emulator keeps its
// memory so; `zm48d check` builds one from the text files, laid out as a send
// of those files leaves a controller, to try the rules without one.
#include <array>
#include <cstdint>
#include <span>

#include "protocol/memory_map.h"
#include "protocol/rules_image.h"
#include "protocol/upload_images.h"

namespace zm48d {

using AddressSpace = std::array<std::uint8_t, kAddressSpaceSize>;
using AddressSpaceView = std::span<const std::uint8_t, kAddressSpaceSize>;
using WritableAddressSpace = std::span<std::uint8_t, kAddressSpaceSize>;

// Read-only views of both spaces.
struct MemoryView {
  AddressSpaceView eeprom;
  AddressSpaceView settings;
};

// 128 KiB: keep it on the heap.
struct MemoryImage {
  AddressSpace eeprom{};
  AddressSpace settings{};
  MemoryView View() const { return {eeprom, settings}; }
};

// Where UploadAccessRules writes the image: header bytes 0..13 at address 0,
// the holiday table at HolidayTableStart, the group table behind it.
void PlaceRules(MemoryImage& memory, const RulesImage& rules);

// Where UploadTagList writes the list: its address and count into the
// ConfigBlock, then the records in 128-byte pages from its start, the last
// page filled up with 0x00.
void PlaceTagList(MemoryImage& memory, const TagListUpload& list);

}  // namespace zm48d
