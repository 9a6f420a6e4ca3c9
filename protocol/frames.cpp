#include "protocol/frames.h"

#include <algorithm>
#include <array>

namespace zm48d {

namespace {

constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kRs = 0x1E;
constexpr std::uint8_t kFs = 0x1C;
constexpr std::uint8_t kEtx = 0x03;
constexpr std::uint8_t kEot = 0x04;
constexpr int kHeaderSize = 4;
// The largest length byte whose frame (n + 8 bytes) still fits the 256-byte response buffer.
constexpr int kLongestResponseData = kResponseBufferSize - 8;

void Observe(const LinkState& link, FrameDirection direction, const std::uint8_t* bytes,
             int count) {
  if (link.observer && count > 0) link.observer(direction, {bytes, static_cast<size_t>(count)});
}

// Reads an answer too long to hold to its end, so its bytes cannot spill into the
// next transaction, and drops it: fewer than n + 4 body bytes were taken.
LinkStatus DropOverLongBody(LinkState& link, int bodySize) {
  std::vector<std::uint8_t> scratch(static_cast<size_t>(bodySize));
  int read = 0;
  SerialRead(link.serial, bodySize, scratch.data(), read);
  Observe(link, FrameDirection::kReceived, link.response.data(), 4);
  return link_status::kBodyCountMismatch;
}

LinkStatus ReceiveInto(LinkState& link) {
  auto& r = link.response;
  int read = 0;
  if (!SerialRead(link.serial, kHeaderSize, r.data(), read)) {
    Observe(link, FrameDirection::kReceived, r.data(), read);
    return link_status::kNoHeader;
  }
  const bool framed = r[0] == kStx && r[2] == kRs;
  if (!framed || r[1] != link.HeadAddress) {
    Observe(link, FrameDirection::kReceived, r.data(), kHeaderSize);  // --trace shows it too
    return framed ? link_status::kWrongHead : link_status::kBadFraming;
  }

  const int n = r[3];
  const int bodySize = n + 4;
  if (n > kLongestResponseData) return DropOverLongBody(link, bodySize);
  std::array<std::uint8_t, kResponseBufferSize> scratch{};
  const bool complete = SerialRead(link.serial, bodySize, scratch.data(), read);
  if (!complete) {
    std::copy_n(scratch.begin(), read, r.begin() + kHeaderSize);
    Observe(link, FrameDirection::kReceived, r.data(), kHeaderSize + read);
    std::fill(r.begin() + kHeaderSize, r.end(), 0);
    return link_status::kBodyIncomplete;
  }
  if (read != bodySize) return link_status::kBodyCountMismatch;
  std::copy_n(scratch.begin(), bodySize, r.begin() + kHeaderSize);
  Observe(link, FrameDirection::kReceived, r.data(), kHeaderSize + bodySize);

  const std::uint8_t sum = FrameChecksum(r.data(), 6 + n);
  return sum == r[6 + n] ? link_status::kOk : link_status::kBadChecksum;
}

}  // namespace

std::uint8_t FrameChecksum(const std::uint8_t* bytes, int count) {
  std::uint8_t sum = 0;
  for (int i = 0; i < count; ++i) sum = static_cast<std::uint8_t>(sum + bytes[i]);
  return sum;
}

std::vector<std::uint8_t> BuildRequestFrame(const LinkState& link) {
  const int n = link.requestLength;
  std::vector<std::uint8_t> frame(static_cast<size_t>(n + 9), 0);
  frame[0] = kStx;
  frame[1] = link.HeadAddress;
  frame[2] = kRs;
  frame[3] = link.requestCommand;
  frame[4] = static_cast<std::uint8_t>(n);
  frame[5] = kFs;
  std::copy_n(link.requestData.begin(), n, frame.begin() + 6);
  frame[6 + n] = kEtx;
  frame[7 + n] = FrameChecksum(frame.data(), 7 + n);
  frame[8 + n] = kEot;
  return frame;
}

void SetRequest(LinkState& link, std::uint8_t command, std::span<const std::uint8_t> data) {
  const size_t n = std::min(data.size(), link.requestData.size());
  link.requestCommand = command;
  link.requestLength = static_cast<std::uint8_t>(n);
  std::copy_n(data.begin(), n, link.requestData.begin());
}

bool SendFrame(LinkState& link, LinkStatus& status) {
  if (link.StopRequested()) {
    // Held back, not sent: to the operation it is a write that could not be made.
    status = link_status::kWriteFailed;
    if (link.statusObserver) link.statusObserver(FrameDirection::kSent, status);
    return false;
  }
  SerialPurge(link.serial, kPurgeTxClear);
  SerialPurge(link.serial, kPurgeRxClear);
  link.response.fill(0);
  const auto frame = BuildRequestFrame(link);
  const int size = static_cast<int>(frame.size());
  int written = 0;
  const bool ok = SerialWrite(link.serial, frame.data(), size, written);
  Observe(link, FrameDirection::kSent, frame.data(), written);
  if (!ok) {
    status = link_status::kWriteFailed;
  } else {
    status = written != size ? link_status::kShortWrite : link_status::kOk;
  }
  if (link.statusObserver) link.statusObserver(FrameDirection::kSent, status);
  return status == link_status::kOk;
}

bool ReceiveFrame(LinkState& link, LinkStatus& status) {
  link.response.fill(0);
  status = ReceiveInto(link);
  // Whatever is left of a bad or over-long answer must not reach the next transaction.
  SerialPurge(link.serial, kPurgeRxClear);
  if (link.statusObserver) link.statusObserver(FrameDirection::kReceived, status);
  return status == link_status::kOk;
}

bool Transact(LinkState& link, LinkStatus& status) {
  if (!SendFrame(link, status)) return false;
  return ReceiveFrame(link, status);
}

}  // namespace zm48d
