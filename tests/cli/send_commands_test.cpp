// stack-space, send and send-tags through the real zm48d executable: the page's
// texts on stderr and an exit status a script can act on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

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
  EXPECT_EQ(result.err.rfind("Cannot open file \"" + dir_.Path("none.txt") + "\". ", 0), 0u)
      << result.err;

  EXPECT_EQ(Zm48d({"stack-space", holidays_}).exitCode, 2);
  EXPECT_TRUE(emulator_.Requests().empty());
}

TEST_F(SendCommands, SendRunsTheThreeStages) {
  ProcessResult result =
      Zm48d({"send", "--holidays", holidays_, "--groups", groups_, "--tags", tags_});
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

// Every file a stage would refuse is reported, and nothing at all is sent: the
// rules are not written beside an old tag list, not even the notice.
TEST_F(SendCommands, SendRefusesEveryBadFileBeforeTheFirstFrame) {
  const auto tooMany = dir_.Write("g70", {"ZM48D-GRUPOS", "70"});
  const std::string none = dir_.Path("none.txt");
  ProcessResult result =
      Zm48d({"send", "--holidays", holidays_, "--groups", tooMany, "--tags", none});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro ao enviar configuração da eep!!\n" + holidays_ + " + " + tooMany +
                            ": the holidays and groups do not fit the controller's 2048 bytes (see "
                            "stack-space)\nErro ao enviar lista para o aparelho!!\n" +
                            none + ": no such file\n");
  EXPECT_EQ(Notifications(), 0);
  EXPECT_TRUE(emulator_.Requests().empty());
}

// Sound rules and a tag list the send cannot take: the controller's memory is
// left as it was, with no frame written at all.
TEST_F(SendCommands, ABadTagListLeavesTheControllerUntouched) {
  const std::string fifo = dir_.Path("fifo.txt");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string name;
    std::string path;
    std::string err;  // what stderr holds after the path
  };
  const std::string notAList = ": not a tag list file (its first line is not ZM48D-LISTA)\n";
  const Case cases[] = {
      {"garbage", dir_.Write("garbage.txt", {"\x01\x02garbage", "??"}), notAList},
      {"empty", dir_.Write("empty.txt", {}), notAList},
      {"negative count", dir_.Write("neg.txt", {"ZM48D-LISTA", "-5"}),
       ": the count must not be negative\n"},
      // List index out of bounds (3) in "short.txt"
      {"count above the lines",
       dir_.Write("short.txt", {"ZM48D-LISTA", "2", "00A1B2*05*001*Portaria"}), "\"\n"},
      {"FIFO", fifo, "\". not a regular file\n"},
  };
  const std::vector<std::uint8_t> before = Settings(0x8000, 0x8000);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProcessResult result =
        Zm48d({"send", "--holidays", holidays_, "--groups", groups_, "--tags", c.path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(c.path + c.err), std::string::npos) << result.err;
    EXPECT_TRUE(emulator_.Requests().empty());
    EXPECT_EQ(Notifications(), 0);
    EXPECT_EQ(Settings(0x8000, 0x8000), before);
  }
}

TEST_F(SendCommands, SendFailsWhenAStageFails) {
  ProcessResult result = Zm48d(
      {"send", "--holidays", holidays_, "--groups", groups_, "--tags", tags_}, MissingDevicePath());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro ao abrir a serial!\n" + MissingDeviceLine() +
                            "Erro ao abrir a serial!!\n" + MissingDeviceLine());

  for (const Words& bad :
       {Words{"send", "--holidays", holidays_}, Words{"send", "--holidays", holidays_, "--groups"},
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
