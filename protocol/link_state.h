#pragma once
// The one state shared by the serial link and the protocol: the port, the head
// address the terminal talks to, the request being built and the last response.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>

#include "link/serial_port.h"

namespace zm48d {

// Outcome of one transaction, left in the caller's status byte.
using LinkStatus = std::uint8_t;
namespace link_status {
inline constexpr LinkStatus kOk = 0;
inline constexpr LinkStatus kShortWrite = 1;         // write succeeded, count differs
inline constexpr LinkStatus kWriteFailed = 2;        // write failed or timed out
inline constexpr LinkStatus kBodyCountMismatch = 3;  // body count differs from n + 4 (or n > 248)
inline constexpr LinkStatus kBodyIncomplete = 4;     // body not read in full
inline constexpr LinkStatus kWrongHead = 5;          // response head differs from HeadAddress
inline constexpr LinkStatus kBadFraming = 6;         // byte 0 not 0x02 or byte 2 not 0x1E
inline constexpr LinkStatus kNoHeader = 7;           // 4-byte header not read in full
inline constexpr LinkStatus kBadChecksum = 8;        // checksum byte differs from the sum
}  // namespace link_status

inline constexpr std::uint8_t kDefaultHeadAddress = 0xAA;
inline constexpr int kRequestDataSize = 254;
inline constexpr int kResponseBufferSize = 256;
inline constexpr int kResponseLengthOffset = 3;
inline constexpr int kResponseDataOffset = 5;

enum class FrameDirection { kSent, kReceived };
// Sees every frame that crosses the line (for --trace); may be empty.
using FrameObserver = std::function<void(FrameDirection, std::span<const std::uint8_t>)>;
// Sees how each send and each receive ended, also when no byte came.
using StatusObserver = std::function<void(FrameDirection, LinkStatus)>;

// How far one of the protocol's bulk transfers is: `done` of `total` frames.
// kTagPages: pages written to the tag list; kTagListRead: pages read back from it.
enum class BulkTransfer { kEepromRead, kEepromWrite, kTagPages, kTagListRead };
struct TransferProgress {
  BulkTransfer transfer;
  int done;
  int total;
};
using ProgressObserver = std::function<void(const TransferProgress&)>;

struct LinkState {
  explicit LinkState(SerialLink& device) : serial(device) {}

  SerialPort serial;
  std::uint8_t HeadAddress = kDefaultHeadAddress;
  std::uint8_t requestLength = 0;
  std::uint8_t requestCommand = 0;
  std::array<std::uint8_t, kRequestDataSize> requestData{};
  std::array<std::uint8_t, kResponseBufferSize> response{};
  FrameObserver observer;
  StatusObserver statusObserver;
  ProgressObserver progress;
  // Asked before every frame: true once the operator has asked the program to
  // stop (Ctrl+C). The frame under way finishes or times out; no new one goes
  // out, so a multi-frame operation ends at its next frame as a failure. May be
  // empty.
  std::function<bool()> stopRequested;

  bool StopRequested() const { return stopRequested && stopRequested(); }

  // Response data byte i is response buffer byte 5 + i.
  std::uint8_t ResponseData(int i) const { return response[kResponseDataOffset + i]; }
  const std::uint8_t* ResponseDataBytes() const { return response.data() + kResponseDataOffset; }
  // The n response data bytes that the answer's length byte announced.
  std::span<const std::uint8_t> AnnouncedResponseData() const {
    return {ResponseDataBytes(), response[kResponseLengthOffset]};
  }

  void ReportProgress(BulkTransfer transfer, int done, int total) const {
    if (progress) progress({transfer, done, total});
  }
};

// While it lives, frames go out after a stop too: the few that put the
// controller back in order on the way out (leaving download mode).
class FramesAfterStop {
 public:
  explicit FramesAfterStop(LinkState& link)
      : link_(link), held_(std::exchange(link.stopRequested, {})) {}
  ~FramesAfterStop() { link_.stopRequested = std::move(held_); }
  FramesAfterStop(const FramesAfterStop&) = delete;
  FramesAfterStop& operator=(const FramesAfterStop&) = delete;

 private:
  LinkState& link_;
  std::function<bool()> held_;
};

}  // namespace zm48d
