#pragma once
// A serial line whose far end sends what the fuzzer says: the input is cut into
// bursts of bytes, and a read that finds nothing waiting takes the next burst,
// as bytes arrive while the terminal waits. A read gets at most one new burst;
// when the bursts run out, reads come back short, as they do when the line's
// timeouts end them. Purging the input drops what is waiting, not the bursts
// still to come.
#include <cstdint>
#include <deque>
#include <vector>

#include "link/serial_link.h"

namespace zm48d::fuzz {

class ScriptedLine final : public SerialLink {
 public:
  explicit ScriptedLine(std::vector<std::vector<std::uint8_t>> bursts)
      : bursts_(bursts.begin(), bursts.end()) {}

  bool OpenDevice(int, std::uint32_t) override { return true; }
  void CloseDevice() override {}
  bool Write(const std::uint8_t*, int size, int& written) override {
    written = size;
    ++writes;
    return true;
  }
  bool Read(int size, std::uint8_t* buffer, int& read) override {
    read = 0;
    bool tookBurst = false;
    while (read < size) {
      if (waiting_.empty()) {
        if (tookBurst || bursts_.empty()) break;
        waiting_.assign(bursts_.front().begin(), bursts_.front().end());
        bursts_.pop_front();
        tookBurst = true;
        continue;
      }
      buffer[read++] = waiting_.front();
      waiting_.pop_front();
    }
    ++reads;
    return read == size;
  }
  void Purge(unsigned flags) override {
    if (flags & kPurgeRxClear) waiting_.clear();
  }

  int writes = 0;
  int reads = 0;

 private:
  std::deque<std::vector<std::uint8_t>> bursts_;
  std::deque<std::uint8_t> waiting_;
};

}  // namespace zm48d::fuzz
