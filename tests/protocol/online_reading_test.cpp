// One online poll: a request answered by two frames.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "protocol/online_reading.h"
#include "tests/support/emulated_line.h"

namespace zm48d::testing {
namespace {

TEST(OnlineReading, EntriesAreBuiltFromTheFourPlanes) {
  EmulatedLine line;
  line.Open();
  line.emulator.With([](auto& c) {
    for (int i = 0; i < 8; ++i) {
      c.online[i] = {static_cast<std::uint32_t>((0x01 + i) << 16 | (0x11 + i) << 8 | (0x21 + i)),
                     static_cast<std::uint8_t>(0x31 + i)};
    }
  });
  std::array<std::string, 8> texts;
  ASSERT_TRUE(ReadOnline(line.link, false, texts));
  EXPECT_EQ(texts[0], "011121*31");
  EXPECT_EQ(texts[7], "081828*38");
  const auto requests = line.emulator.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].command, 'J');
  EXPECT_EQ(requests[0].data, (std::vector<std::uint8_t>{'N'}));
}

TEST(OnlineReading, AllZeroFramesGiveZeroTextsAndTheFlagSendsS) {
  EmulatedLine line;
  line.Open();
  std::array<std::string, 8> texts;
  ASSERT_TRUE(ReadOnline(line.link, true, texts));
  for (const auto& t : texts) EXPECT_EQ(t, "000000*00");
  EXPECT_EQ(line.emulator.Requests()[0].data[0], 'S');
}

TEST(OnlineReading, MissingOrBadSecondFrameFailsAndLeavesTheTexts) {
  EmulatedLine line;
  line.Open();
  std::array<std::string, 8> texts;
  texts.fill("keep");
  line.emulator.SetFault({emu::Fault::kDropSecond});
  EXPECT_FALSE(ReadOnline(line.link, false, texts));
  EXPECT_EQ(texts[0], "keep");
  line.emulator.SetFault({emu::Fault::kNoAnswer});
  EXPECT_FALSE(ReadOnline(line.link, false, texts));
  EXPECT_EQ(texts[7], "keep");
}

// The window runs the link's idle hook after every frame, and a repaint can
// outlast the controller's pause between the two frames. Run there, the hook
// would delay the purge until the second frame had come, and the purge would
// discard it.
TEST(OnlineReading, ASlowIdleHookDoesNotCostTheSecondFrame) {
  EmulatedLine line;
  line.Open();
  int idles = 0;
  line.device.SetIdleHook([&idles] {
    ++idles;
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
  });
  line.link.observer = [&line](FrameDirection, std::span<const std::uint8_t>) {
    line.device.Idle();
  };
  std::array<std::string, 8> texts;
  for (int poll = 0; poll < 3; ++poll) ASSERT_TRUE(ReadOnline(line.link, false, texts)) << poll;
  EXPECT_GE(idles, 3);  // it still runs after each second frame
}

}  // namespace
}  // namespace zm48d::testing
