#include "protocol/memory.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "protocol/big_endian.h"
#include "protocol/frames.h"
#include "protocol/hex_text.h"

namespace zm48d {

namespace {

bool Acknowledged(const LinkState& link) {
  return link.ResponseData(0) == 'O' && link.ResponseData(1) == 'K';
}

using Block = std::array<std::uint8_t, kReadBlockSize>;

// A read answer carries 16 bytes as 32 upper-case hexadecimal characters; an
// answer with fewer of them, or with anything else in their place, is refused:
// its bytes would otherwise be read from whatever follows or from no digit at all.
std::optional<Block> DecodeBlock(const LinkState& link) {
  Block block{};
  if (!DecodeUpperHexPairs(link.AnnouncedResponseData(), block)) return std::nullopt;
  return block;
}

int FrameCount(int length, int perFrame) { return (length + perFrame - 1) / perFrame; }

}  // namespace

bool ReadEeprom(LinkState& link, int address, int length, std::uint8_t* buffer,
                LinkStatus& status) {
  if (length <= 0) return false;
  std::memset(buffer, 0, static_cast<size_t>(length));
  const int frames = FrameCount(length, kReadBlockSize);
  for (int position = 0; position < length; position += kReadBlockSize, address += kReadBlockSize) {
    const std::uint8_t request[] = {'L', HighByte(address), LowByte(address), 1};
    SetRequest(link, 'D', request);
    if (!Transact(link, status)) return false;
    const auto block = DecodeBlock(link);
    if (!block) return false;
    const int count = std::min(length - position, kReadBlockSize);
    std::copy_n(block->begin(), count, buffer + position);
    link.ReportProgress(BulkTransfer::kEepromRead, position / kReadBlockSize + 1, frames);
  }
  return true;
}

bool WriteEeprom(LinkState& link, int address, int length, const std::uint8_t* bytes,
                 LinkStatus& status) {
  if (length <= 0) return false;
  const int frames = FrameCount(length, kEepromWriteChunk);
  for (int position = 0; position < length;
       position += kEepromWriteChunk, address += kEepromWriteChunk) {
    const int count = std::min(length - position, kEepromWriteChunk);
    std::array<std::uint8_t, 4 + kEepromWriteChunk> request{};
    request[0] = 'G';
    request[1] = HighByte(address);
    request[2] = LowByte(address);
    request[3] = static_cast<std::uint8_t>(count);
    std::copy_n(bytes + position, count, request.begin() + 4);
    SetRequest(link, 'D', {request.data(), static_cast<size_t>(4 + count)});
    if (!Transact(link, status) || !Acknowledged(link)) return false;
    link.ReportProgress(BulkTransfer::kEepromWrite, position / kEepromWriteChunk + 1, frames);
  }
  return true;
}

bool ReadPage(LinkState& link, int address, Page& page, LinkStatus& status) {
  page.fill(0);
  for (int offset = 0; offset < kPageSize; offset += kReadBlockSize, address += kReadBlockSize) {
    const std::uint8_t request[] = {'L', HighByte(address), LowByte(address)};
    SetRequest(link, 'G', request);
    if (!Transact(link, status)) return false;
    const auto block = DecodeBlock(link);
    if (!block) return false;
    std::copy(block->begin(), block->end(), page.begin() + offset);
  }
  return true;
}

bool WritePage(LinkState& link, int address, const Page& page, LinkStatus& status) {
  std::array<std::uint8_t, 3 + kPageSize> request{};
  request[0] = 'G';
  request[1] = HighByte(address);
  request[2] = LowByte(address);
  std::copy(page.begin(), page.end(), request.begin() + 3);
  SetRequest(link, 'G', request);
  return Transact(link, status) && Acknowledged(link);
}

bool ReadConfigBlock(LinkState& link, Page& page, LinkStatus& status) {
  return ReadPage(link, kConfigBlockAddress, page, status);
}

bool WriteConfigBlock(LinkState& link, const Page& page, LinkStatus& status) {
  return WritePage(link, kConfigBlockAddress, page, status);
}

}  // namespace zm48d
