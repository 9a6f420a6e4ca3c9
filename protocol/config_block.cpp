#include "protocol/config_block.h"

#include "protocol/big_endian.h"
#include "protocol/commands.h"
#include "protocol/memory.h"

namespace zm48d {

namespace {

using namespace config_block;

// Reads the block, lets `change` alter it, writes it back; nothing is written
// when the read failed.
template <class Change>
bool ModifyConfigBlock(LinkState& link, LinkStatus& status, Change change) {
  Page page{};
  if (!ReadConfigBlock(link, page, status)) return false;
  change(page);
  return WriteConfigBlock(link, page, status);
}

// Restores the terminal's head address when the operation ends, however it ends.
class HeadAddressRestorer {
 public:
  explicit HeadAddressRestorer(LinkState& link) : link_(link), saved_(link.HeadAddress) {}
  ~HeadAddressRestorer() { link_.HeadAddress = saved_; }
  HeadAddressRestorer(const HeadAddressRestorer&) = delete;
  HeadAddressRestorer& operator=(const HeadAddressRestorer&) = delete;

 private:
  LinkState& link_;
  std::uint8_t saved_;
};

}  // namespace

bool ReadHeadAddress(LinkState& link, std::uint8_t& head, LinkStatus& status) {
  Page page{};
  if (!ReadConfigBlock(link, page, status)) return false;
  head = page[kHeadAddress];
  return true;
}

bool WriteHeadAddress(LinkState& link, std::uint8_t head, LinkStatus& status) {
  HeadAddressRestorer restore(link);
  // A controller is always re-addressed through the broadcast head.
  link.HeadAddress = kDefaultHeadAddress;
  return ModifyConfigBlock(link, status, [&](Page& page) { page[kHeadAddress] = head; });
}

std::uint8_t RelayTimeUnits(std::uint32_t milliseconds) {
  return static_cast<std::uint8_t>(milliseconds / kRelayTimeUnitMs);
}

bool ReadRelayTimes(LinkState& link, std::array<int, 4>& milliseconds, LinkStatus& status) {
  Page page{};
  if (!ReadConfigBlock(link, page, status)) return false;
  for (int i = 0; i < 4; ++i) milliseconds[i] = page[kRelayTimes + i] * kRelayTimeUnitMs;
  return true;
}

bool WriteRelayTimes(LinkState& link, const std::array<std::uint32_t, 4>& milliseconds,
                     LinkStatus& status) {
  return ModifyConfigBlock(link, status, [&](Page& page) {
    for (int i = 0; i < 4; ++i) {
      page[kRelayTimes + i] = RelayTimeUnits(milliseconds[i]);
    }
  });
}

bool ReadReaderTimeouts(LinkState& link, std::array<std::uint8_t, 4>& seconds, LinkStatus& status) {
  Page page{};
  if (!ReadConfigBlock(link, page, status)) return false;
  for (int i = 0; i < 4; ++i) seconds[i] = page[kReaderTimeouts + i];
  return true;
}

bool WriteReaderTimeouts(LinkState& link, const std::array<std::uint8_t, 4>& seconds,
                         LinkStatus& status) {
  return ModifyConfigBlock(link, status, [&](Page& page) {
    for (int i = 0; i < 4; ++i) page[kReaderTimeouts + i] = seconds[i];
  });
}

bool WriteTagListInfo(LinkState& link, int startAddress, int tagCount, LinkStatus& status) {
  return ModifyConfigBlock(
      link, status, [&](Page& page) { PutTagListInfo(page.data(), startAddress, tagCount); });
}

void PutTagListInfo(std::uint8_t* configBlock, int startAddress, int tagCount) {
  PutWord(configBlock + kTagListAddress, static_cast<unsigned>(startAddress));
  PutWord(configBlock + kTagCount, static_cast<unsigned>(tagCount));
}

bool WriteDefaultConfiguration(LinkState& link, const std::array<std::uint32_t, 4>& relayTimes,
                               const std::array<std::uint8_t, 4>& readerTimeouts) {
  LinkStatus status = link_status::kOk;
  return WriteRelayTimes(link, relayTimes, status) &&
         WriteReaderTimeouts(link, readerTimeouts, status) && NotifyMemoryUpdated(link, status);
}

}  // namespace zm48d
