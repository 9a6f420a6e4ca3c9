#include "protocol/online_reading.h"

#include <cstdint>

#include "protocol/frames.h"
#include "protocol/hex_text.h"
#include "protocol/memory_map.h"

namespace zm48d {

namespace {

// Each answer carries sixteen bytes of the four planes as 32 hexadecimal characters.
constexpr int kBytesPerAnswer = 16;

}  // namespace

bool ReadOnline(LinkState& link, bool flag, std::array<std::string, kOnlineEntries>& texts) {
  LinkStatus status = link_status::kOk;
  const std::uint8_t mode[] = {static_cast<std::uint8_t>(flag ? 'S' : 'N')};
  SetRequest(link, 'J', mode);
  {
    // Nothing but the line from the request to the purge (see IdleHold).
    const SerialLink::IdleHold hold(*link.serial.device);
    if (!Transact(link, status)) return false;
    SerialPurge(link.serial, kPurgeRxClear);
  }
  // Four planes of eight: tag high, tag middle, tag low, value.
  std::array<std::uint8_t, 4 * kOnlineEntries> planes{};
  DecodeHexPairs(link.ResponseDataBytes(), kBytesPerAnswer, planes.data());
  if (!ReceiveFrame(link, status)) return false;
  DecodeHexPairs(link.ResponseDataBytes(), kBytesPerAnswer, planes.data() + kBytesPerAnswer);
  for (int i = 0; i < kOnlineEntries; ++i) {
    constexpr int n = kOnlineEntries;
    texts[i] = HexByte(planes[i]) + HexByte(planes[n + i]) + HexByte(planes[2 * n + i]) + "*" +
               HexByte(planes[3 * n + i]);
  }
  return true;
}

}  // namespace zm48d
