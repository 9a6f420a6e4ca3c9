#include "protocol/online_reading.h"

#include "protocol/frames.h"
#include "protocol/hex_text.h"

namespace zm48d {

namespace {

constexpr int kEntries = 8;

// Sixteen bytes carried as 32 hexadecimal characters in one answer.
void DecodeHalf(const LinkState& link, std::uint8_t* out) {
  for (int i = 0; i < 16; ++i) {
    const char pair[2] = {static_cast<char>(link.ResponseData(2 * i)),
                          static_cast<char>(link.ResponseData(2 * i + 1))};
    out[i] = static_cast<std::uint8_t>(HexTextToInt({pair, 2}));
  }
}

}  // namespace

bool ReadOnline(LinkState& link, bool flag, std::array<std::string, 8>& texts) {
  LinkStatus status = link_status::kOk;
  const std::uint8_t mode[] = {static_cast<std::uint8_t>(flag ? 'S' : 'N')};
  SetRequest(link, 'J', mode);
  if (!Transact(link, status)) return false;
  SerialPurge(link.serial, kPurgeRxClear);
  // Four planes of eight: tag high, tag middle, tag low, value.
  std::array<std::uint8_t, 32> planes{};
  DecodeHalf(link, planes.data());
  if (!ReceiveFrame(link, status)) return false;
  DecodeHalf(link, planes.data() + 16);
  for (int i = 0; i < kEntries; ++i) {
    texts[i] = HexByte(planes[i]) + HexByte(planes[8 + i]) + HexByte(planes[16 + i]) + "*" +
               HexByte(planes[24 + i]);
  }
  return true;
}

}  // namespace zm48d
