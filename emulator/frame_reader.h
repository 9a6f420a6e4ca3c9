#pragma once
// Cuts request frames out of the byte stream the terminal sends:
//   02 head 1E cmd n 1C data[n] 03 sum 04
#include <cstdint>
#include <optional>
#include <vector>

#include "emulator/controller.h"

namespace zm48d::emu {

class FrameReader {
 public:
  // Adds received bytes; complete frames are taken with Next().
  void Feed(const std::uint8_t* bytes, int count);
  // The next complete frame with a good checksum; bytes that cannot start a frame
  // and frames with a bad checksum are dropped, as the controller drops them.
  std::optional<Request> Next();
  bool Empty() const { return buffer_.empty(); }
  // Drops a request that stopped coming part-way.
  void Clear() { buffer_.clear(); }

 private:
  std::vector<std::uint8_t> buffer_;
};

// A response frame: 02 head 1E n 1C data 03 sum 04.
std::vector<std::uint8_t> EncodeResponse(std::uint8_t head, const std::vector<std::uint8_t>& data);

}  // namespace zm48d::emu
