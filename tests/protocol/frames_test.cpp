// Frames and transactions: the wire bytes of a request, and every status code a
// transaction can end in, from real faults on a pseudo-terminal where a line can
// produce them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/commands.h"
#include "protocol/frames.h"
#include "tests/support/emulated_line.h"
#include "tests/support/fake_link.h"
#include "tests/support/time_bounds.h"

namespace zm48d::testing {
namespace {

using emu::Fault;
using Bytes = std::vector<std::uint8_t>;

TEST(RequestFrame, BeepToHeadAAIsExactlyTheNineBytes) {
  FakeLink fake;
  LinkState link(fake);
  SetRequest(link, 'H', {});
  EXPECT_EQ(BuildRequestFrame(link), (Bytes{0x02, 0xAA, 0x1E, 0x48, 0x00, 0x1C, 0x03, 0x31, 0x04}));
}

TEST(RequestFrame, ChecksumCoversStartThroughTrailerOnly) {
  FakeLink fake;
  LinkState link(fake);
  link.HeadAddress = 0x12;
  const Bytes data{0xFF, 0xFE, 0x10};
  SetRequest(link, 'D', data);
  const Bytes frame = BuildRequestFrame(link);
  ASSERT_EQ(frame.size(), 12u);
  EXPECT_EQ(frame[4], 3);
  EXPECT_EQ(frame[9], 0x03);
  EXPECT_EQ(frame[10], FrameChecksum(frame.data(), 10));
  EXPECT_EQ(frame[11], 0x04);
}

TEST(SendStatus, FailedWriteIsTwoAndShortCountIsOne) {
  FakeLink fake;
  LinkState link(fake);
  ASSERT_TRUE(SerialOpen(link.serial, 1));
  LinkStatus status = 99;
  fake.writeResult = false;
  EXPECT_FALSE(Beep(link, status));
  EXPECT_EQ(status, link_status::kWriteFailed);

  fake.writeResult = true;
  fake.writeShortBy = 1;
  EXPECT_FALSE(Beep(link, status));
  EXPECT_EQ(status, link_status::kShortWrite);
  EXPECT_EQ(fake.writes.size(), 2u) << "no receive follows a failed send";
}

TEST(SendStatus, SendPurgesOutputThenInputBeforeWriting) {
  FakeLink fake;
  LinkState link(fake);
  ASSERT_TRUE(SerialOpen(link.serial, 1));
  fake.incoming = {0x55, 0x55};
  LinkStatus status = 0;
  EXPECT_TRUE(SendFrame(link, status));
  EXPECT_EQ(fake.purges, (std::vector<unsigned>{kPurgeTxClear, kPurgeRxClear}));
}

struct FaultCase {
  Fault fault;
  LinkStatus expected;
  const char* name;
};

class ReceiveStatus : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ReceiveStatus, EachLineFaultEndsInItsCode) {
  EmulatedLine line;
  line.Open();
  line.emulator.SetFault({GetParam().fault});
  LinkStatus status = 0;
  EXPECT_FALSE(Beep(line.link, status));
  EXPECT_EQ(status, GetParam().expected);
  // The next transaction is not disturbed by what is left of the bad answer.
  line.emulator.SetFault({});
  EXPECT_TRUE(Beep(line.link, status));
  EXPECT_EQ(status, link_status::kOk);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReceiveStatus,
    ::testing::Values(FaultCase{Fault::kOverLong, link_status::kBodyCountMismatch, "OverLong"},
                      FaultCase{Fault::kTruncated, link_status::kBodyIncomplete, "Truncated"},
                      FaultCase{Fault::kWrongHead, link_status::kWrongHead, "WrongHead"},
                      FaultCase{Fault::kBadStart, link_status::kBadFraming, "BadStart"},
                      FaultCase{Fault::kShortHeader, link_status::kNoHeader, "ShortHeader"},
                      FaultCase{Fault::kNoAnswer, link_status::kNoHeader, "NoAnswer"},
                      FaultCase{Fault::kBadChecksum, link_status::kBadChecksum, "BadChecksum"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST(ReceiveStatus, BeepOverTheEmulatorSucceedsAndSoundsTheBeeper) {
  EmulatedLine line;
  line.Open();
  LinkStatus status = 99;
  EXPECT_TRUE(Beep(line.link, status));
  EXPECT_EQ(status, link_status::kOk);
  EXPECT_EQ(line.emulator.With([](auto& c) { return c.beeps; }), 1);
  const auto requests = line.emulator.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].frame, (Bytes{0x02, 0xAA, 0x1E, 0x48, 0x00, 0x1C, 0x03, 0x31, 0x04}));
}

TEST(ReceiveStatus, SilentControllerFailsAfterTheHeaderTimeout) {
  EmulatedLine line;
  line.Open();
  line.emulator.SetFault({Fault::kNoAnswer});
  LinkStatus status = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(Beep(line.link, status));
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  EXPECT_EQ(status, link_status::kNoHeader);
  EXPECT_GE(ms, 1300);
  EXPECT_LT(ms, Loaded(std::chrono::milliseconds(300 * 4 + 200)).count());
}

TEST(ReceiveStatus, BadChecksumKeepsTheWholeFrameInTheBuffer) {
  EmulatedLine line;
  line.Open();
  line.emulator.SetFault({Fault::kBadChecksum});
  LinkStatus status = 0;
  EXPECT_FALSE(Beep(line.link, status));
  EXPECT_EQ(status, link_status::kBadChecksum);
  EXPECT_EQ(line.link.response[3], 2);
  EXPECT_EQ(line.link.ResponseData(0), 'O');
  EXPECT_EQ(line.link.ResponseData(1), 'K');
  EXPECT_EQ(line.link.response[7], 0x03);
}

TEST(ReceiveStatus, AnotherHeadIsRefusedAndItsRestPurged) {
  EmulatedLine line;
  line.Open();
  line.emulator.SetFault({Fault::kWrongHead, 0, 1});
  LinkStatus status = 0;
  EXPECT_FALSE(Beep(line.link, status));
  EXPECT_EQ(status, link_status::kWrongHead);
  // Receiving again without sending must find nothing left of that answer.
  EXPECT_FALSE(ReceiveFrame(line.link, status));
  EXPECT_EQ(status, link_status::kNoHeader);
}

TEST(ReceiveStatus, RequestsForAnotherHeadAreNotAnswered) {
  EmulatedLine line;
  line.Open();
  line.link.HeadAddress = 0x33;  // the emulator answers 0xAA and its own head 0x80
  LinkStatus status = 0;
  EXPECT_FALSE(Beep(line.link, status));
  EXPECT_EQ(status, link_status::kNoHeader);
  line.link.HeadAddress = 0x80;
  EXPECT_TRUE(Beep(line.link, status));
}

}  // namespace
}  // namespace zm48d::testing
