// The real zm48d executable against a controller whose read answers the terminal
// must refuse: hexadecimal in lower case, or fewer than 32 characters. Every
// command that reads memory fails, and none goes on to write or to save.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

class StrictReads : public CliOnEmulator, public ::testing::WithParamInterface<emu::Fault> {
 protected:
  void SetUp() override {
    CliOnEmulator::SetUp();
    // Two records waiting. The stack limit 0x07FA in the header, the tags and the
    // byte 0xAB give the read answers letters for the lower-case fault to change.
    emulator_.With([](emu::Controller& c) {
      for (std::uint8_t tag : {0xB2, 0xB3}) {
        ASSERT_TRUE(c.PushEvent(SampleEvent(0xA100 + tag)));
      }
      c.settings[0x8000] = 0xAB;  // a byte of the configuration block the terminal keeps
    });
  }
  Bytes Eeprom() {
    return emulator_.With(
        [](emu::Controller& c) { return Bytes(c.eeprom.begin(), c.eeprom.end()); });
  }
};

TEST_P(StrictReads, EventsFailAndTheStackIsLeftAsItWas) {
  const Bytes before = Eeprom();
  emulator_.SetFault({GetParam()});
  for (const Words& words : {Words{"events"}, Words{"events", "--clear"}}) {
    SCOPED_TRACE(words.back());
    const ProcessResult result = Zm48d(words);
    EXPECT_EQ(result.exitCode, 1) << result.out;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err, "");
    EXPECT_EQ(Notifications(), 0);
  }
  EXPECT_EQ(Eeprom(), before) << "nothing written after a refused read";
  for (const auto& request : emulator_.Requests()) {
    EXPECT_FALSE(request.command == 'D' && request.data[0] == 'G') << "no EEPROM write";
  }
}

TEST_P(StrictReads, BackupFailsAndLeavesTheOldFiles) {
  TempDir dir;
  const Words backup = {"backup",
                        "--holidays",
                        dir.Write("h.txt", {"ZM48D-FERIADOS", "0"}),
                        "--groups",
                        dir.Write("g.txt", {"ZM48D-GRUPOS", "0"}),
                        "--tags",
                        dir.Write("t.txt", {"ZM48D-LISTA", "0"})};
  emulator_.SetFault({GetParam()});
  const ProcessResult result = Zm48d(backup);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro na leitura do controlador!!\n");
  EXPECT_EQ(dir.Read("h.txt"), "ZM48D-FERIADOS\r\n0\r\n");
  EXPECT_EQ(dir.Read("g.txt"), "ZM48D-GRUPOS\r\n0\r\n");
  EXPECT_EQ(dir.Read("t.txt"), "ZM48D-LISTA\r\n0\r\n");
}

// Zerar memória reads the configuration block before it writes it back.
TEST_P(StrictReads, ResetMemoryWritesNothing) {
  const Bytes before = Eeprom();
  const Bytes config = Settings(0x8000, 128);
  emulator_.SetFault({GetParam()});
  EXPECT_EQ(Zm48d({"reset-memory"}).exitCode, 1);
  EXPECT_EQ(Settings(0x8000, 128), config);
  EXPECT_EQ(Eeprom(), before);
}

INSTANTIATE_TEST_SUITE_P(Faults, StrictReads,
                         ::testing::Values(emu::Fault::kLowerCase, emu::Fault::kShortData),
                         [](const auto& info) {
                           return info.param == emu::Fault::kLowerCase ? "LowerCase" : "ShortData";
                         });

}  // namespace
}  // namespace zm48d::testing
