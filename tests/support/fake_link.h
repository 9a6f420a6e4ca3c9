#pragma once
// A serial device that follows a script instead of a wire, for the failures a
// real line cannot be made to produce on demand.
#include <cstdint>
#include <deque>
#include <vector>

#include "link/serial_link.h"
#include "tests/support/waiting_bytes.h"

namespace zm48d::testing {

class FakeLink final : public SerialLink {
 public:
  bool openResult = true;
  bool writeResult = true;
  int writeShortBy = 0;               // report this many bytes fewer than asked
  std::deque<std::uint8_t> incoming;  // bytes a read returns, in order
  std::vector<std::vector<std::uint8_t>> writes;
  std::vector<unsigned> purges;
  int opens = 0, closes = 0;

  bool OpenDevice(int, std::uint32_t) override {
    ++opens;
    return openResult;
  }
  void CloseDevice() override { ++closes; }
  bool Write(const std::uint8_t* block, int size, int& written) override {
    writes.emplace_back(block, block + size);
    written = size - writeShortBy;
    return writeResult;
  }
  bool Read(int size, std::uint8_t* buffer, int& read) override {
    return TakeWaiting(incoming, size, buffer, read);
  }
  void Purge(unsigned flags) override {
    purges.push_back(flags);
    if (flags & kPurgeRxClear) incoming.clear();
  }
};

}  // namespace zm48d::testing
