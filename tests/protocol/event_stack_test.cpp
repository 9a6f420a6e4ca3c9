// Downloading, clearing and bracketing the event stack over the emulator.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "protocol/big_endian.h"
#include "protocol/commands.h"
#include "protocol/event_stack.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/open_line_test.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using emu::Fault;

class EventStack : public OpenLineTest {
 protected:
  void Push(int n) {
    line.emulator.With([&](auto& c) {
      for (int i = 0; i < n; ++i) c.PushEvent(SampleEvent(0xA100 + static_cast<std::uint32_t>(i)));
    });
  }
  std::string Commands() {
    std::string out;
    for (const auto& r : line.emulator.Requests()) {
      out += static_cast<char>(r.command);
      if (r.command == 'B' || r.command == 'D') out += static_cast<char>(r.data[0]);
      out += ' ';
    }
    return out;
  }
  Bytes Header() { return StackHeaderOf(line.emulator); }

  // A plan that empties the stack once `meanwhile` has run while the records
  // were being kept, and says they were.
  static DownloadPlan KeptAfter(bool bracket, std::function<void()> meanwhile) {
    return {true, bracket,
            [meanwhile](const StackPointers&, std::span<const std::uint8_t>) {
              meanwhile();
              return true;
            },
            true};
  }

  std::vector<std::string> lines{"stale"};
  std::vector<std::uint8_t> records;
};

TEST_F(EventStack, EmptyStackSucceedsWithNoLinesAndNoClearing) {
  EXPECT_TRUE(DownloadEvents(line.link, true, true, lines));
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(Commands(), "BE DL BS ");
}

TEST_F(EventStack, RecordsBecomeLinesOldestFirst) {
  Push(2);
  EXPECT_TRUE(DownloadEvents(line.link, false, false, lines));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "00A100*07/12/26*14:05:33*Sim*Porta 1*Não*");
  EXPECT_EQ(lines[1].substr(0, 6), "00A101");
  // Without clearing the stack stays, and the controller is still told it was read.
  EXPECT_EQ(Commands(), "DL DL DL I ");
  EXPECT_TRUE(DownloadEvents(line.link, false, false, lines));
  EXPECT_EQ(lines.size(), 2u);
}

TEST_F(EventStack, ClearingRewritesTheHeaderWithTopAtStartThenNotifies) {
  Push(1);
  line.emulator.With([](auto& c) {
    c.eeprom[14] = 0xAB;
    c.eeprom[15] = 0xCD;
  });
  const Bytes before = Header();
  EXPECT_TRUE(DownloadEvents(line.link, true, true, lines));
  EXPECT_EQ(lines.size(), 1u);
  EXPECT_EQ(Commands(), "BE DL DL DL DG I BS ");
  Bytes expected = before;
  expected[10] = before[8];
  expected[11] = before[9];
  EXPECT_EQ(Header(), expected);
  EXPECT_FALSE(line.emulator.With([](auto& c) { return c.downloadMode; }));
}

TEST_F(EventStack, PartialRecordAtTheTopIsIgnored) {
  Push(3);
  SetStackPointers(line.emulator, 0x20, 0x20 + 25);
  EXPECT_TRUE(DownloadEvents(line.link, false, false, lines));
  EXPECT_EQ(lines.size(), 2u);
}

// A failed entry does not stop the read, but the stack is not emptied under a
// controller that may still be adding records; download mode is left all the
// same, as the entry's answer may be what was lost.
TEST_F(EventStack, FailedEntryStillDownloadsLeavesTheStackAndStillLeaves) {
  Push(1);
  line.emulator.SetFault({Fault::kNoAnswer, 0, 1, 'B'});
  EXPECT_TRUE(DownloadEvents(line.link, false, true, lines));
  EXPECT_EQ(lines.size(), 1u);
  EXPECT_EQ(Commands(), "BE DL DL I BS ");

  line.emulator.ClearRequests();
  const Bytes header = Header();
  for (const Fault refusal : {Fault::kNoAnswer, Fault::kBadChecksum, Fault::kWrongHead}) {
    line.emulator.SetFault({refusal, 0, 1, 'B'});
    EXPECT_FALSE(DownloadEvents(line.link, true, true, lines));
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_EQ(Header(), header) << "the stack was emptied";
  }
  EXPECT_EQ(Commands(), "BE DL DL BS BE DL DL BS BE DL DL BS ");
}

// The records must be safe somewhere before the stack goes: when the keeper
// says they are not, nothing is emptied and download mode is left.
TEST_F(EventStack, RecordsNotKeptLeaveTheStack) {
  Push(2);
  const Bytes header = Header();
  std::size_t offered = 0;
  StackPointers seen{};
  const DownloadPlan plan{true, true,
                          [&](const StackPointers& pointers, std::span<const std::uint8_t> r) {
                            seen = pointers;
                            offered = r.size();
                            return false;
                          },
                          true};
  const StackDownload download = DownloadEventRecords(line.link, plan, records);
  EXPECT_EQ(offered, 20u);
  EXPECT_EQ(seen.start, GetWord(&header[8]));
  EXPECT_EQ(seen.top, seen.start + 20);
  EXPECT_FALSE(download.kept);
  EXPECT_FALSE(download.clearTried);
  EXPECT_FALSE(DownloadSucceeded(download, plan));
  EXPECT_EQ(Header(), header);
  EXPECT_EQ(Commands(), "BE DL DL DL BS ");
}

// Kept on the controller: read inside download mode, neither emptied nor notified.
TEST_F(EventStack, KeptWithoutNoticeSendsNoWrite) {
  Push(2);
  const DownloadPlan plan{false, true, {}, false};
  EXPECT_TRUE(DownloadSucceeded(DownloadEventRecords(line.link, plan, records), plan));
  EXPECT_EQ(records.size(), 20u);
  EXPECT_EQ(Commands(), "BE DL DL DL BS ");
}

// A record the controller adds after the download must not go with the ones
// read: the emptying finds the top moved and writes nothing. (In download mode
// a controller holds new records back; without it, they land on the stack.)
TEST_F(EventStack, RecordAddedAfterTheDownloadKeepsTheStack) {
  Push(2);
  const DownloadPlan plan = KeptAfter(false, [&] { Push(1); });  // a tag read meanwhile
  const StackDownload download = DownloadEventRecords(line.link, plan, records);
  EXPECT_TRUE(download.clearTried);
  EXPECT_TRUE(download.grew);
  EXPECT_FALSE(download.cleared);
  EXPECT_FALSE(DownloadSucceeded(download, plan));
  const Bytes header = Header();
  EXPECT_EQ(GetWord(&header[10]) - GetWord(&header[8]), 30) << "the three records are all there";
  EXPECT_EQ(Commands(), "DL DL DL DL ");
}

// Inside download mode the controller holds a new record back until the mode
// is left: the emptying takes only what was read, and the new one follows.
TEST_F(EventStack, RecordHeldInDownloadModeFollowsTheEmptying) {
  Push(2);
  const DownloadPlan plan = KeptAfter(true, [&] { Push(1); });
  EXPECT_TRUE(DownloadSucceeded(DownloadEventRecords(line.link, plan, records), plan));
  const Bytes header = Header();
  EXPECT_EQ(GetWord(&header[10]) - GetWord(&header[8]), 10) << "only the new record is left";
}

// A stop asked for while the records are kept: no new frame but the one that
// leaves download mode.
TEST_F(EventStack, StopHoldsBackEveryFrameButLeavingDownloadMode) {
  Push(2);
  const Bytes header = Header();
  bool stop = false;
  line.link.stopRequested = [&] { return stop; };
  const DownloadPlan plan = KeptAfter(true, [&] { stop = true; });
  const StackDownload download = DownloadEventRecords(line.link, plan, records);
  EXPECT_TRUE(download.kept);
  EXPECT_FALSE(download.clearTried);
  EXPECT_TRUE(download.left);
  EXPECT_EQ(Header(), header);
  EXPECT_EQ(Commands(), "BE DL DL DL BS ");
  EXPECT_TRUE(static_cast<bool>(line.link.stopRequested)) << "the stop is held again afterwards";
  LinkStatus status = link_status::kOk;
  EXPECT_FALSE(Beep(line.link, status));
  EXPECT_EQ(status, link_status::kWriteFailed);
  EXPECT_EQ(Commands(), "BE DL DL DL BS ") << "a held-back frame reached the line";
}

TEST_F(EventStack, FailedLeavingBracketFailsTheDownload) {
  Push(1);
  line.emulator.SetFault({Fault::kNoAnswer, 1, 1, 'B'});
  EXPECT_FALSE(DownloadEvents(line.link, false, true, lines));
  EXPECT_EQ(lines.size(), 1u) << "the list keeps what was read";
}

TEST_F(EventStack, TopBelowStartIsAFailedReadWithAnEmptyList) {
  SetStackPointers(line.emulator, 0x0100, 0x0080);
  EXPECT_FALSE(DownloadEvents(line.link, true, false, lines));
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(Commands(), "DL ");
}

TEST_F(EventStack, FailedRecordReadLeavesTheStackAndTheListEmpty) {
  Push(2);
  line.emulator.SetFault({Fault::kBadChecksum, 1, 1});
  EXPECT_FALSE(DownloadEvents(line.link, true, false, lines));
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(Commands(), "DL DL ");
}

TEST_F(EventStack, FullStackOf201Records) {
  Push(201);
  EXPECT_TRUE(DownloadEvents(line.link, false, false, lines));
  EXPECT_EQ(lines.size(), 201u);
  // One header frame, then 2010 bytes in 126 frames of 16.
  EXPECT_EQ(line.emulator.Requests().size(), 1u + 126u + 1u);
}

}  // namespace
}  // namespace zm48d::testing
