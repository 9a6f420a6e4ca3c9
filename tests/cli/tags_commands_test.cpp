// last-tag and oldest-tags: the real zm48d executable against an emulated
// controller with events on its stack.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "tests/cli/cli_fixture.h"
#include "tests/support/emulator_memory.h"

namespace zm48d::testing {
namespace {

class TagsCommandTest : public CliOnEmulator {
 protected:
  void SetUp() override {
    CliOnEmulator::SetUp();
    if (HasFatalFailure()) return;
    // An empty stack at 0x0020, room for 201 records.
    emulator_.With([](emu::Controller& c) {
      const std::uint8_t header[] = {0x00, 0x20, 0x00, 0x20, 0x07, 0xFA};
      std::copy(std::begin(header), std::end(header), c.eeprom.begin() + 8);
      return 0;
    });
  }

  void Push(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    const EventRecord record = SampleEvent(static_cast<std::uint32_t>(b0 << 16 | b1 << 8 | b2));
    ASSERT_TRUE(emulator_.With([&](emu::Controller& c) { return c.PushEvent(record); }));
  }
};

TEST_F(TagsCommandTest, LastTagPrintsTheNewestTagOrWhyThereIsNone) {
  ProcessResult result = Zm48d({"last-tag"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Não existem registros a serem lidos!!\n");

  Push(0x00, 0xA1, 0xB2);
  Push(0x12, 0xAB, 0x05);
  result = Zm48d({"last-tag"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "12AB05\n");
  EXPECT_EQ(result.err, "");
}

// Five bytes waiting are no whole record: nothing is read below the start.
TEST_F(TagsCommandTest, APartialRecordAloneIsNoRecord) {
  emulator_.With(
      [](emu::Controller& c) { return c.eeprom[11] = 0x25; });  // start 0x0020, top 0x0025
  for (const Words& words : {Words{"last-tag"}, Words{"oldest-tags", "3"}}) {
    SCOPED_TRACE(words[0]);
    emulator_.ClearRequests();
    const ProcessResult result = Zm48d(words);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Não existem registros a serem lidos!!\n");
    EXPECT_EQ(emulator_.Requests().size(), 1u) << "the stack header alone";
  }
}

TEST_F(TagsCommandTest, OldestTagsPrintsOneTagALineOldestFirst) {
  Push(0x00, 0x00, 0x01);
  Push(0x00, 0x00, 0x02);
  Push(0x00, 0x00, 0x03);
  ProcessResult result = Zm48d({"oldest-tags", "2"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "000001\n000002\n");

  result = Zm48d({"oldest-tags", "7"});
  EXPECT_EQ(result.out, "000001\n000002\n000003\n");

  result = Zm48d({"oldest-tags", "-1"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Não existem registros a serem lidos!!\n");

  // A top below the start cannot be read.
  emulator_.With([](emu::Controller& c) { return c.eeprom[11] = 0x10; });
  result = Zm48d({"oldest-tags", "1"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Não foi possível ler os dados da eeprom!!\n");

  result = Zm48d({"oldest-tags", "x"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("'x' is not a valid integer value"), std::string::npos);
}

}  // namespace
}  // namespace zm48d::testing
