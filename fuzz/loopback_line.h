#pragma once
// A serial line with the emulator's controller model at its far end, in memory:
// each request written is answered at once, so operations that walk the
// controller's memory run thousands of times a second. Both frames of a
// two-frame answer arrive together, so the purge between them drops the
// second: this line is not for the online reading.
#include <cstdint>
#include <deque>

#include "emulator/controller.h"
#include "emulator/frame_reader.h"
#include "link/serial_link.h"
#include "tests/support/waiting_bytes.h"

namespace zm48d::fuzz {

class LoopbackLine final : public SerialLink {
 public:
  explicit LoopbackLine(emu::Controller& controller) : controller_(controller) {}

  bool OpenDevice(int, std::uint32_t) override { return true; }
  void CloseDevice() override {}
  bool Write(const std::uint8_t* block, int size, int& written) override {
    reader_.Feed(block, size);
    while (auto request = reader_.Next()) {
      if (!controller_.Addressed(request->head)) continue;
      for (const auto& data : controller_.Answer(*request)) {
        const auto frame = emu::EncodeResponse(request->head, data);
        waiting_.insert(waiting_.end(), frame.begin(), frame.end());
      }
    }
    written = size;
    return true;
  }
  bool Read(int size, std::uint8_t* buffer, int& read) override {
    return testing::TakeWaiting(waiting_, size, buffer, read);
  }
  void Purge(unsigned flags) override {
    if (flags & kPurgeRxClear) waiting_.clear();
  }

 private:
  emu::Controller& controller_;
  emu::FrameReader reader_;
  std::deque<std::uint8_t> waiting_;
};

}  // namespace zm48d::fuzz
