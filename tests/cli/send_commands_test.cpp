// stack-space, send and send-tags through the real zm48d executable: the page's
// texts on stderr and an exit status a script can act on.
#include <gtest/gtest.h>

#include "tests/cli/cli_fixture.h"
#include "tests/support/emulated_line.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kGroupLine =
    "01*08:00*18:00*08:00*18:00*08:00*18:00*08:00*18:00*08:00*18:00*00:00*23:59*00:00*23:59*Sim";

class SendCommands : public CliOnEmulator {
 protected:
  void SetUp() override {
    CliOnEmulator::SetUp();
    if (HasFatalFailure()) return;
    holidays_ = dir_.Write("h.txt", {"ZM48D-FERIADOS", "1", "25/12*Natal"});
    groups_ = dir_.Write("g.txt", {"ZM48D-GRUPOS", "1", kGroupLine});
    tags_ = dir_.Write("t.txt", {"ZM48D-LISTA", "1", "00A1B2*05*001*Portaria"});
  }

  TempDir dir_;
  std::string holidays_, groups_, tags_;
};

TEST_F(SendCommands, StackSpacePrintsTheCountOrThePagesMessage) {
  ProcessResult result = Zm48d({"stack-space", holidays_, groups_});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "= 198\n");  // (2048 - 32 - 2 - 29) / 10

  result = Zm48d({"stack-space", dir_.Write("h0", {"ZM48D-FERIADOS", "0"}),
                  dir_.Write("g71", {"ZM48D-GRUPOS", "71"})});
  EXPECT_EQ(result.out, "= -4\n");
  EXPECT_EQ(result.exitCode, 0);

  result = Zm48d({"stack-space", groups_, holidays_});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Arquivos incompatíveis!!\n");

  result = Zm48d({"stack-space", dir_.Path("none.txt"), groups_});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err.rfind("Cannot open file \"" + dir_.Path("none.txt") + "\". ", 0), 0u) << result.err;

  EXPECT_EQ(Zm48d({"stack-space", holidays_}).exitCode, 2);
  EXPECT_TRUE(emulator_.Requests().empty());
}

TEST_F(SendCommands, SendRunsTheThreeStages) {
  ProcessResult result = Zm48d({"send", "--holidays", holidays_, "--groups", groups_, "--tags", tags_});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Settings(0x8000 + 10, 4), (std::vector<std::uint8_t>{0xB0, 0x00, 0x00, 0x01}));
  EXPECT_EQ(Settings(0xB000, 5), (std::vector<std::uint8_t>{0x00, 0xA1, 0xB2, 0x05, 0x01}));
  EXPECT_EQ(Notifications(), 1);

  // Leaving out the list is the page's "Lista não enviada!!", not a failure.
  result = Zm48d({"send", "--groups", groups_, "--holidays", holidays_});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "Lista não enviada!!\n");
  EXPECT_EQ(Notifications(), 2);
}

TEST_F(SendCommands, SendFailsWhenAStageFails) {
  const auto tooMany = dir_.Write("g70", {"ZM48D-GRUPOS", "70"});
  ProcessResult result = Zm48d({"send", "--holidays", holidays_, "--groups", tooMany,
                                "--tags", dir_.Path("none.txt")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro ao enviar configuração da eep!!\nErro ao enviar lista para o aparelho!!\n");
  EXPECT_EQ(Notifications(), 1) << "the notice follows every outcome";

  result = Zm48d({"send", "--holidays", holidays_, "--groups", groups_, "--tags", tags_},
                 MissingDevicePath());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro ao abrir a serial!\n" + MissingDeviceLine() + "Erro ao abrir a serial!!\n" +
                            MissingDeviceLine());

  for (const Words& bad : {Words{"send", "--holidays", holidays_},
                           Words{"send", "--holidays", holidays_, "--groups"},
                           Words{"send", "--holidays", holidays_, "--groups", groups_, "--lista", tags_}}) {
    EXPECT_EQ(Zm48d(bad).exitCode, 2);
  }
}

TEST_F(SendCommands, SendTagsReportsWhatTheWindowKeepsQuiet) {
  ProcessResult result = Zm48d({"send-tags", tags_});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Settings(0xB000, 5), (std::vector<std::uint8_t>{0x00, 0xA1, 0xB2, 0x05, 0x01}));
  EXPECT_EQ(Notifications(), 0);

  result = Zm48d({"send-tags", holidays_});  // not a tag list
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro ao enviar lista para o aparelho!!\n");

  result = Zm48d({"send-tags", tags_}, MissingDevicePath());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro ao abrir a serial!!\n" + MissingDeviceLine());
}

}  // namespace
}  // namespace zm48d::testing
