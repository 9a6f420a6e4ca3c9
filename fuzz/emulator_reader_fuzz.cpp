// The emulator's request reader and controller, from any bytes arriving in any
// pieces: every request it takes is a whole frame whose checksum holds, and every
// answer fits the terminal's response buffer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "emulator/controller.h"
#include "emulator/frame_reader.h"
#include "fuzz/fuzz_check.h"
#include "protocol/frames.h"

namespace zm48d::fuzz {
namespace {

void CheckRequest(const emu::Request& request) {
  const auto& frame = request.frame;
  FUZZ_CHECK(frame.size() == request.data.size() + 9);
  FUZZ_CHECK(frame[0] == 0x02 && frame[2] == 0x1E && frame[5] == 0x1C);
  FUZZ_CHECK(frame[6 + request.data.size()] == 0x03);
  FUZZ_CHECK(FrameChecksum(frame.data(), static_cast<int>(frame.size()) - 2) ==
             frame[frame.size() - 2]);
}

void CheckAnswers(emu::Controller& controller, const emu::Request& request) {
  for (const auto& data : controller.Answer(request)) {
    FUZZ_CHECK(data.size() + 8 <= 256);
    const auto frame = emu::EncodeResponse(request.head, data);
    FUZZ_CHECK(frame.size() == data.size() + 8 && frame[3] == data.size());
  }
}

}  // namespace
}  // namespace zm48d::fuzz

// The first byte cuts the rest into pieces of 1 to 256 bytes, fed one by one.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zm48d;
  if (size < 1) return 0;
  const std::size_t piece = std::size_t{data[0]} + 1;
  static emu::Controller fresh;
  emu::Controller controller = fresh;
  emu::FrameReader reader;
  for (std::size_t at = 1; at < size; at += piece) {
    reader.Feed(data + at, static_cast<int>(std::min(piece, size - at)));
    while (const auto request = reader.Next()) {
      fuzz::CheckRequest(*request);
      fuzz::CheckAnswers(controller, *request);
    }
  }
  return 0;
}
