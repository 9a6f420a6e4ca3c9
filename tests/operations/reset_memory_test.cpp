// "Zerar memória" at the protocol level: the two blocks it rewrites, and which
// stage a failure stops at.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "operations/reset_memory.h"
#include "tests/support/emulated_line.h"
#include "tests/support/emulator_memory.h"

namespace zm48d::testing {
namespace {

using emu::Fault;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kConfig = 0x8000;

class ResetMemoryOnEmulator : public ::testing::Test {
 protected:
  void SetUp() override {
    line_.emulator.With([](emu::Controller& c) {
      for (int i = 0; i < 128; ++i) c.settings[kConfig + i] = static_cast<std::uint8_t>(0x40 + i);
      for (int i = 0; i < 16; ++i) c.eeprom[i] = static_cast<std::uint8_t>(0xC0 + i);
    });
    line_.Open();
  }

  Bytes Settings(std::size_t from, std::size_t count) {
    return SettingsSlice(line_.emulator, static_cast<int>(from), static_cast<int>(count));
  }
  Bytes Header() { return StackHeaderOf(line_.emulator); }
  // Runs the reset with `fault` on the line: where it stopped, and the status of the link.
  void ResetUnder(emu::FaultPlan fault, ops::ResetMemoryFailure failure, LinkStatus status) {
    line_.emulator.SetFault(fault);
    EXPECT_EQ(ops::ResetMemory(line_.link, status_), failure);
    EXPECT_EQ(status_, status);
  }
  std::vector<std::uint8_t> Commands() {
    std::vector<std::uint8_t> letters;
    for (const auto& request : line_.emulator.Requests()) letters.push_back(request.command);
    return letters;
  }

  EmulatedLine line_;
  LinkStatus status_ = 0xFF;
};

TEST_F(ResetMemoryOnEmulator, EmptiesTagListAndStackHeaderKeepingEverythingElse) {
  EXPECT_EQ(ops::ResetMemory(line_.link, status_), ops::ResetMemoryFailure::kNone);
  EXPECT_EQ(status_, link_status::kOk);

  Bytes block = Settings(kConfig, 128);
  EXPECT_EQ(Bytes(block.begin() + 10, block.begin() + 14), (Bytes{0xB0, 0x00, 0x00, 0x00}));
  for (int i : {0, 5, 9, 14, 19, 127}) EXPECT_EQ(block[i], 0x40 + i) << "byte " << i;

  EXPECT_EQ(Header(), (Bytes{0x00, 0x00, 0x20, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x20, 0x00, 0x20,
                             0x00, 0x84, 0xCE, 0xCF}));
  // Eight page reads and a page write ('G'), a header read and write ('D'); no 'I'.
  EXPECT_EQ(Commands(),
            (std::vector<std::uint8_t>{'G', 'G', 'G', 'G', 'G', 'G', 'G', 'G', 'G', 'D', 'D'}));
}

TEST_F(ResetMemoryOnEmulator, UnreadableConfigBlockWritesNothing) {
  ResetUnder({Fault::kBadChecksum, 3, 1, 'G'}, ops::ResetMemoryFailure::kConfigRead,
             link_status::kBadChecksum);
  EXPECT_EQ(Settings(kConfig + 10, 4), (Bytes{0x4A, 0x4B, 0x4C, 0x4D}));
  EXPECT_EQ(Header()[13], 0xCD);
  EXPECT_EQ(Commands().size(), 4u);  // stopped at the failed frame
}

TEST_F(ResetMemoryOnEmulator, UnacknowledgedConfigWriteStopsBeforeTheHeader) {
  // The frame was fine, the answer was not "OK".
  ResetUnder({Fault::kNotOk, 8, 1, 'G'}, ops::ResetMemoryFailure::kConfigWrite, link_status::kOk);
  EXPECT_EQ(Commands().size(), 9u);
}

TEST_F(ResetMemoryOnEmulator, HeaderStagesFailAfterTheConfigBlockWasWritten) {
  ResetUnder({Fault::kNoAnswer, 0, 1, 'D'}, ops::ResetMemoryFailure::kHeaderRead,
             link_status::kNoHeader);
  EXPECT_EQ(Settings(kConfig + 10, 4), (Bytes{0xB0, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Header()[13], 0xCD);

  line_.emulator.SetFault({Fault::kNotOk, 1, 1, 'D'});
  EXPECT_EQ(ops::ResetMemory(line_.link, status_), ops::ResetMemoryFailure::kHeaderWrite);
}

}  // namespace
}  // namespace zm48d::testing
