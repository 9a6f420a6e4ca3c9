// Backup and verify as operations: the files they refuse before a port is
// opened, what a failed read leaves behind, and the texts they report.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "files/line_file.h"
#include "files/runtime_errors.h"
#include "operations/controller_backup.h"
#include "operations/controller_readback.h"
#include "operations/controller_verify.h"
#include "operations/send_sequence.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

struct Recorded final : ops::Notices {
  void Show(ops::Tone, std::string_view text) override { texts.emplace_back(text); }
  void Progress(std::string_view text) override { progress.emplace_back(text); }
  std::vector<std::string> texts;
  std::vector<std::string> progress;
};

class ControllerReadback : public ::testing::Test {
 protected:
  ops::Session SessionOn(int port) { return {line.link, port, notices}; }
  ops::Session Session() { return SessionOn(kEmulatorPort); }
  ops::ConfigurationFiles Samples(int h, int g, int t) {
    return {dir.Write("h.txt", SampleHolidays(h)), dir.Write("g.txt", SampleGroups(g)),
            dir.Write("t.txt", SampleTags(t))};
  }
  ops::ConfigurationFiles BackupPaths() {
    return {dir.Path("bh.txt"), dir.Path("bg.txt"), dir.Path("bt.txt")};
  }

  EmulatedLine line;
  Recorded notices;
  TempDir dir;
};

TEST_F(ControllerReadback, VerifyRefusesFilesBeforeOpeningThePort) {
  const auto good = Samples(2, 2, 2);
  struct Case {
    ops::ConfigurationFiles files;
    std::string text;
  };
  const Case cases[] = {
      {{}, "Escolha os arquivos corretamente!"},
      {{good.groups, "", ""}, "Arquivos incompatíveis!!"},
      {{"", "", good.holidays}, "Arquivos incompatíveis!!"},
      {{dir.Write("h1", {"ZM48D-FERIADOS"}), "", ""}, "Arquivos incompatíveis!!"},
      {{"", dir.Write("g70", SampleGroups(70)), ""},
       "Arquivos maiores que a memória do controlador!!"},
      {{dir.Write("h23", SampleHolidays(23)), dir.Write("g68", SampleGroups(68)), ""},
       "Arquivos maiores que a memória do controlador!!"},
      {{dir.Write("h256", SampleHolidays(256)), "", ""},
       "Arquivos maiores que a memória do controlador!!"},
      // A negative count is a broken file, not one too large.
      {{"", "", dir.Write("t-1", {"ZM48D-LISTA", "-1"})}, "Arquivos incompatíveis!!"},
      {{dir.Write("h-1", {"ZM48D-FERIADOS", "-1"}), "", ""}, "Arquivos incompatíveis!!"},
      {{"", "", dir.Write("t3841", {"ZM48D-LISTA", "3841"})},
       "Arquivos maiores que a memória do controlador!!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    notices.texts.clear();
    const ops::VerifyResult result = ops::VerifyController(Session(), c.files);
    EXPECT_EQ(result.outcome, ops::VerifyOutcome::kFailed);
    EXPECT_EQ(notices.texts, std::vector<std::string>{c.text});
  }
  // A file short of its count or with a count that is no number ends the verify
  // with the runtime's error, also before the port is opened.
  EXPECT_THROW(ops::VerifyController(
                   Session(), {"", "", dir.Write("t5", {"ZM48D-LISTA", "5", "A10000*05*001*"})}),
               ListIndexError);
  EXPECT_THROW(
      ops::VerifyController(Session(), {dir.Write("hx", {"ZM48D-FERIADOS", "dois"}), "", ""}),
      std::runtime_error);
  EXPECT_THROW(ops::VerifyController(Session(), {dir.Path("none.txt"), "", ""}), FileError);
  EXPECT_TRUE(line.emulator.Requests().empty());
}

// A backup that cannot read everything writes nothing (faults on the line are
// met end to end in the command line's tests).
TEST_F(ControllerReadback, ABackupThatIsRefusedWritesNoFile) {
  ops::RunSendSequence(Session(), Samples(1, 1, 3));
  line.emulator.With([](emu::Controller& c) { c.eeprom[3] = 70; });  // 70 groups from 0x0022
  const auto paths = BackupPaths();
  dir.Write("bh.txt", {"old"});
  struct Case {
    int port;
    std::string text;
  };
  for (const Case& c : {Case{kEmulatorPort, "Tabelas do controlador fora da área da eeprom!!"},
                        Case{kMissingPort, "Erro ao abrir a serial!!"}}) {
    notices.texts.clear();
    EXPECT_FALSE(ops::BackupController(SessionOn(c.port), paths));
    EXPECT_EQ(notices.texts, std::vector<std::string>{c.text});
    EXPECT_EQ(dir.Read("bh.txt"), "old\r\n");
    EXPECT_FALSE(FileExists(paths.groups));
    EXPECT_FALSE(line.link.serial.open);
  }
}

// The status line follows the whole read: the rules tables, then the tag list's
// pages (300 tags take 1600 bytes, 13 pages).
TEST_F(ControllerReadback, ReportsHowFarTheReadIs) {
  ops::RunSendSequence(Session(), Samples(1, 1, 300));
  notices.progress.clear();
  ASSERT_TRUE(ops::ReadControllerBack(Session(), {}).has_value());
  ASSERT_FALSE(notices.progress.empty());
  EXPECT_EQ(notices.progress.front(), "Lendo controlador: 1 de 1 blocos");
  EXPECT_EQ(notices.progress.back(), "Lendo controlador: lista, página 13 de 13");
}

}  // namespace
}  // namespace zm48d::testing
