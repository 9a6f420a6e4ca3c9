#include "protocol/memory_image.h"

#include <algorithm>

#include "protocol/config_block.h"
#include "protocol/tag_image.h"

namespace zm48d {

namespace {

template <class Bytes>
void CopyTo(AddressSpace& space, int address, const Bytes& bytes) {
  std::copy(bytes.begin(), bytes.end(), space.begin() + address);
}

}  // namespace

void PlaceRules(MemoryImage& memory, const RulesImage& rules) {
  CopyTo(memory.eeprom, 0, rules.header);
  CopyTo(memory.eeprom, HolidayTableStart, rules.holidays);
  CopyTo(memory.eeprom, rules.groupTableAddress, rules.groups);
}

void PlaceTagList(MemoryImage& memory, const TagListUpload& list) {
  PutTagListInfo(memory.settings.data() + kConfigBlockAddress, list.start, list.count);
  int address = list.start;
  for (const Page& page : SplitIntoPages(list.image)) {
    CopyTo(memory.settings, address, page);
    address += kPageSize;
  }
}

}  // namespace zm48d
