// The two address spaces and the configuration block, checked against what the
// emulator received and what it holds afterwards.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

#include "protocol/config_block.h"
#include "protocol/memory.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/open_line_test.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using emu::Fault;

class Memory : public OpenLineTest {
 protected:
  std::vector<emu::Request> Requests() { return line.emulator.Requests(); }
  Bytes Eeprom(int at, int n) { return EepromSlice(line.emulator, at, n); }
  Bytes Config(int at, int n) { return SettingsSlice(line.emulator, 0x8000 + at, n); }

  LinkStatus status = 99;
};

TEST_F(Memory, EepromReadAsksOneBlockPerFrameAndKeepsOnlyTheLengthAsked) {
  line.emulator.With(
      [](auto& c) { std::iota(c.eeprom.begin() + 0x100, c.eeprom.begin() + 0x120, 1); });
  std::array<std::uint8_t, 24> buffer;
  buffer.fill(0xEE);
  ASSERT_TRUE(ReadEeprom(line.link, 0x0100, 20, buffer.data(), status));
  const auto requests = Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].data, (Bytes{'L', 0x01, 0x00, 1}));
  EXPECT_EQ(requests[1].data, (Bytes{'L', 0x01, 0x10, 1}));
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 20), Eeprom(0x100, 20));
  EXPECT_EQ(buffer[20], 0xEE) << "nothing beyond the length is touched";
}

TEST_F(Memory, EepromWriteGoesInFramesOf128) {
  Bytes data(300);
  std::iota(data.begin(), data.end(), 0);
  ASSERT_TRUE(WriteEeprom(line.link, 0x0020, 300, data.data(), status));
  const auto requests = Requests();
  ASSERT_EQ(requests.size(), 3u);
  const int lengths[] = {132, 132, 48};
  const int addresses[] = {0x0020, 0x00A0, 0x0120};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(requests[i].data.size(), static_cast<size_t>(lengths[i]));
    EXPECT_EQ(requests[i].frame[4], lengths[i]);
    EXPECT_EQ(requests[i].data[1] << 8 | requests[i].data[2], addresses[i]);
    EXPECT_EQ(requests[i].data[3], lengths[i] - 4);
  }
  EXPECT_EQ(Eeprom(0x20, 300), data);
}

TEST_F(Memory, EepromWriteStopsAtTheFirstFrameThatFails) {
  Bytes data(300, 0x5A);
  line.emulator.SetFault({Fault::kNoAnswer, 1, 1});
  EXPECT_FALSE(WriteEeprom(line.link, 0x0200, 300, data.data(), status));
  EXPECT_EQ(status, link_status::kNoHeader);
  EXPECT_EQ(Requests().size(), 2u) << "nothing is sent after the failed frame";
}

TEST_F(Memory, WriteAnsweredWithoutOkFailsWithStatusZero) {
  const std::uint8_t byte = 1;
  line.emulator.SetFault({Fault::kNotOk});
  EXPECT_FALSE(WriteEeprom(line.link, 0, 1, &byte, status));
  EXPECT_EQ(status, link_status::kOk);
  Page page{};
  EXPECT_FALSE(WritePage(line.link, 0xB000, page, status));
  EXPECT_EQ(status, link_status::kOk);
}

TEST_F(Memory, LengthOfZeroOrLessSendsNothing) {
  std::uint8_t byte = 0;
  EXPECT_FALSE(ReadEeprom(line.link, 0, 0, &byte, status));
  EXPECT_FALSE(WriteEeprom(line.link, 0, -5, &byte, status));
  EXPECT_TRUE(Requests().empty());
}

TEST_F(Memory, PageReadIsEightThreeByteRequests) {
  Page page{};
  ASSERT_TRUE(ReadPage(line.link, 0x8000, page, status));
  const auto requests = Requests();
  ASSERT_EQ(requests.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(requests[i].command, 'G');
    EXPECT_EQ(requests[i].data, (Bytes{'L', 0x80, static_cast<std::uint8_t>(16 * i)}));
  }
  EXPECT_EQ(Bytes(page.begin(), page.end()), Config(0, 128));
}

TEST_F(Memory, PageReadThatStopsHalfwayKeepsWhatCameAndSendsNoMore) {
  line.emulator.SetFault({Fault::kTruncated, 3, 1});
  Page page{};
  page.fill(0x77);
  EXPECT_FALSE(ReadPage(line.link, 0x8000, page, status));
  EXPECT_EQ(status, link_status::kBodyIncomplete);
  EXPECT_EQ(Requests().size(), 4u);
  EXPECT_EQ(Bytes(page.begin(), page.begin() + 48), Config(0, 48));
  EXPECT_EQ(page[48], 0);
  EXPECT_EQ(page[127], 0);
}

TEST_F(Memory, PageWriteIsOneFrameOf140Bytes) {
  Page page{};
  std::iota(page.begin(), page.end(), 0x10);
  ASSERT_TRUE(WritePage(line.link, 0xB080, page, status));
  const auto requests = Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].frame.size(), 140u);
  EXPECT_EQ(requests[0].frame[4], 131);
  EXPECT_EQ(Bytes(requests[0].data.begin(), requests[0].data.begin() + 3),
            (Bytes{'G', 0xB0, 0x80}));
  EXPECT_EQ(line.emulator.With([](auto& c) { return Slice(c.settings, 0xB080, 128); }),
            Bytes(page.begin(), page.end()));
}

TEST_F(Memory, RelayTimesAreKeptInUnitsOf250Ms) {
  ASSERT_TRUE(WriteRelayTimes(line.link, {1000, 1500, 1100, 249}, status));
  EXPECT_EQ(Config(6, 4), (Bytes{4, 6, 4, 0}));
  std::array<int, 4> ms{};
  ASSERT_TRUE(ReadRelayTimes(line.link, ms, status));
  EXPECT_EQ(ms, (std::array<int, 4>{1000, 1500, 1000, 0}));
  ASSERT_TRUE(WriteRelayTimes(line.link, {255 * 250, 256 * 250, 1000, 1000}, status));
  ASSERT_TRUE(ReadRelayTimes(line.link, ms, status));
  EXPECT_EQ(ms[0], 63750);
  EXPECT_EQ(ms[1], 0);
}

TEST_F(Memory, ReaderTimeoutsAndTagListInfoLeaveTheRestOfTheBlock) {
  Bytes before = Config(0, 128);
  ASSERT_TRUE(WriteReaderTimeouts(line.link, {1, 63, 0, 36}, status));
  ASSERT_TRUE(WriteTagListInfo(line.link, 0xB000, 300, status));
  Bytes after = Config(0, 128);
  EXPECT_EQ(Bytes(after.begin() + 16, after.begin() + 20), (Bytes{1, 63, 0, 36}));
  EXPECT_EQ(Bytes(after.begin() + 10, after.begin() + 14), (Bytes{0xB0, 0x00, 0x01, 0x2C}));
  for (int i : {10, 11, 12, 13, 16, 17, 18, 19}) after[i] = before[i];
  EXPECT_EQ(after, before);
  std::array<std::uint8_t, 4> seconds{};
  ASSERT_TRUE(ReadReaderTimeouts(line.link, seconds, status));
  EXPECT_EQ(seconds, (std::array<std::uint8_t, 4>{1, 63, 0, 36}));
}

TEST_F(Memory, SettingWriteWithAFailedReadSendsNoWrite) {
  line.emulator.SetFault({Fault::kNoAnswer, 2, 1});
  EXPECT_FALSE(WriteRelayTimes(line.link, {1000, 1000, 1000, 1000}, status));
  for (const auto& r : Requests()) EXPECT_EQ(r.data[0], 'L');
}

TEST_F(Memory, HeadIsWrittenThroughAAAndTheTerminalKeepsItsOwn) {
  line.link.HeadAddress = 0x80;  // the emulator's own head
  ASSERT_TRUE(WriteHeadAddress(line.link, 0x12, status));
  EXPECT_EQ(line.link.HeadAddress, 0x80);
  for (const auto& r : Requests()) EXPECT_EQ(r.head, 0xAA);
  EXPECT_EQ(Requests().size(), 9u);
  EXPECT_EQ(Config(5, 1), Bytes{0x12});

  line.link.HeadAddress = 0x12;  // the controller's new head
  std::uint8_t head = 0;
  ASSERT_TRUE(ReadHeadAddress(line.link, head, status));
  EXPECT_EQ(head, 0x12);
  EXPECT_EQ(Requests().back().head, 0x12);
}

TEST_F(Memory, HeadAddressIsRestoredAlsoWhenNothingAnswers) {
  line.link.HeadAddress = 0x12;
  line.emulator.SetFault({Fault::kNoAnswer});
  EXPECT_FALSE(WriteHeadAddress(line.link, 0x34, status));
  EXPECT_EQ(line.link.HeadAddress, 0x12);
  EXPECT_EQ(Requests().size(), 1u);
}

TEST_F(Memory, DefaultConfigurationChangesOnlyTimesAndTimeoutsThenNotifies) {
  Bytes before = Config(0, 128);
  ASSERT_TRUE(WriteDefaultConfiguration(line.link, {1500, 1500, 1499, 249}, {2, 2, 2, 2}));
  Bytes after = Config(0, 128);
  EXPECT_EQ(Bytes(after.begin() + 6, after.begin() + 10), (Bytes{6, 6, 5, 0}));
  EXPECT_EQ(Bytes(after.begin() + 16, after.begin() + 20), (Bytes{2, 2, 2, 2}));
  for (int i : {6, 7, 8, 9, 16, 17, 18, 19}) after[i] = before[i];
  EXPECT_EQ(after, before);
  EXPECT_EQ(Requests().size(), 19u);
  EXPECT_EQ(Requests().back().command, 'I');
}

TEST_F(Memory, DefaultConfigurationWithASilentControllerWritesNothing) {
  line.emulator.SetFault({Fault::kNoAnswer});
  EXPECT_FALSE(WriteDefaultConfiguration(line.link, {1500, 1500, 1500, 1500}, {2, 2, 2, 2}));
  EXPECT_EQ(Requests().size(), 1u);
}

}  // namespace
}  // namespace zm48d::testing
