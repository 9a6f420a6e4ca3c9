// "Controlador" -> "Site...": a site file naming emulated controllers by their
// pseudo-terminals, and one operation run on all of them from the window.
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include "app/form1.h"
#include "app/site_window.h"
#include "tests/app/app_test_support.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

enum Column { kName, kPort, kProgress, kOutcome };

class SiteWindowTest : public ::testing::Test, private WithApplication {
 protected:
  // A site of the two emulators, each given the `files` lines, and of `extra`
  // more lines of TOML.
  std::string WriteSite(const std::vector<std::string>& extra = {},
                        const std::vector<std::string>& files = {}) {
    std::vector<std::string> lines;
    for (const auto& [name, emulator] : {std::pair{"portaria", &portaria}, {"garagem", &garagem}}) {
      lines.insert(lines.end(), {"[[controller]]", "name = \"" + std::string(name) + "\"",
                                 "port = \"" + emulator->TerminalPath() + "\""});
      lines.insert(lines.end(), files.begin(), files.end());
    }
    lines.insert(lines.end(), extra.begin(), extra.end());
    return dir.Write("site.toml", lines);
  }
  SiteWindow& Window() {
    form.miSITE->trigger();
    return *form.fmSITE;
  }
  // Clicks the button and waits for the run it starts to end.
  static bool RunToTheEnd(SiteWindow& window, QPushButton* button) {
    button->click();
    return QTest::qWaitFor([&] { return !window.IsRunning(); }, 20000);
  }
  static QString Cell(const SiteWindow& window, int row, int column) {
    return window.sgSITE->item(row, column)->text();
  }
  static bool ShownRed(const SiteWindow& window, int row) {
    return window.sgSITE->item(row, kOutcome)->foreground().color() == Qt::red;
  }
  static int Beeps(emu::PtyEmulator& emulator) {
    return emulator.With([](auto& controller) { return controller.beeps; });
  }
  std::vector<QPushButton*> OperationButtons(const SiteWindow& w) {
    return {w.btESTADO, w.btENVIAR,  w.btENVIARV, w.btVERIFICAR,
            w.btCOPIA,  w.btRELOGIO, w.btCOLETAR};
  }

  emu::PtyEmulator portaria{PacedEmulator()}, garagem{PacedEmulator()};
  TempDir dir;
  EmulatedLine line;
  RecordingMessageSink messages;
  ScriptedFileDialogs dialogs;
  TForm1 form{line.device, messages, dialogs};
};

TEST_F(SiteWindowTest, TheSiteFileChosenInTheDialogListsItsControllersBeforeAnyRun) {
  EXPECT_EQ(form.mnCONTROLADOR->actions().last(), form.miSITE);
  EXPECT_EQ(form.miSITE->text(), "S&ite...");
  SiteWindow& window = Window();
  EXPECT_TRUE(window.isVisible());
  for (QPushButton* button : OperationButtons(window)) EXPECT_FALSE(button->isEnabled());

  const QString path = QString::fromStdString(WriteSite());
  dialogs.answers = {path};
  window.btABRIR->click();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].kind, ScriptedFileDialogs::Kind::kSite);
  EXPECT_EQ(window.lbARQUIVO->text(), path);
  EXPECT_TRUE(window.lbERRO->isHidden());
  ASSERT_EQ(window.sgSITE->rowCount(), 2);
  EXPECT_EQ(window.sgSITE->horizontalHeaderItem(kProgress)->text(), "Progresso");
  EXPECT_EQ(Cell(window, 0, kName), "portaria");
  EXPECT_EQ(Cell(window, 1, kPort), QString::fromStdString(garagem.TerminalPath()));
  EXPECT_EQ(Cell(window, 1, kOutcome), "");
  for (QPushButton* button : OperationButtons(window)) EXPECT_TRUE(button->isEnabled());
}

TEST_F(SiteWindowTest, StatusRunsOnEveryControllerBehindTheWindowAndEachRowEndsOk) {
  SiteWindow& window = Window();
  ASSERT_TRUE(window.OpenSite(QString::fromStdString(WriteSite())));

  window.btESTADO->click();
  // The click returns at once: the run goes on while the window paints.
  EXPECT_TRUE(window.IsRunning());
  EXPECT_FALSE(window.btESTADO->isEnabled());
  EXPECT_FALSE(window.btABRIR->isEnabled());
  EXPECT_EQ(Cell(window, 0, kOutcome), "");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.IsRunning(); }, 20000));

  for (int row = 0; row < 2; ++row) {
    EXPECT_TRUE(Cell(window, row, kOutcome).startsWith("ok: beep ok; "))
        << Cell(window, row, kOutcome).toStdString();
    EXPECT_EQ(Cell(window, row, kProgress), "concluído");
    EXPECT_FALSE(ShownRed(window, row));
  }
  EXPECT_EQ(Beeps(portaria), 1);
  EXPECT_EQ(Beeps(garagem), 1);
  EXPECT_TRUE(window.btESTADO->isEnabled());
  EXPECT_TRUE(window.btABRIR->isEnabled());
}

TEST_F(SiteWindowTest, AMissingDeviceFailsItsRowInRedAndLeavesTheOthersOk) {
  SiteWindow& window = Window();
  ASSERT_TRUE(window.OpenSite(QString::fromStdString(WriteSite(
      {"[[controller]]", "name = \"deposito\"", "port = \"" + MissingDevicePath() + "\""}))));
  ASSERT_TRUE(RunToTheEnd(window, window.btESTADO));

  ASSERT_EQ(window.sgSITE->rowCount(), 3);
  EXPECT_TRUE(Cell(window, 0, kOutcome).startsWith("ok: "));
  EXPECT_TRUE(Cell(window, 1, kOutcome).startsWith("ok: "));
  const QString failed = Cell(window, 2, kOutcome);
  EXPECT_TRUE(failed.startsWith("FALHOU: ")) << failed.toStdString();
  EXPECT_TRUE(failed.contains(QString::fromStdString(MissingDevicePath()))) << failed.toStdString();
  EXPECT_EQ(Cell(window, 2, kProgress), "falhou");
  EXPECT_TRUE(ShownRed(window, 2));
  EXPECT_FALSE(ShownRed(window, 0));

  // The next run starts the rows afresh.
  ASSERT_TRUE(window.OpenSite(QString::fromStdString(WriteSite())));
  ASSERT_TRUE(RunToTheEnd(window, window.btESTADO));
  EXPECT_EQ(window.sgSITE->rowCount(), 2);
  EXPECT_EQ(Beeps(portaria), 2);
}

TEST_F(SiteWindowTest, ABadSiteFileShowsItsFaultWithTheLineAndNoControllers) {
  SiteWindow& window = Window();
  ASSERT_TRUE(window.OpenSite(QString::fromStdString(WriteSite())));
  const std::string path = WriteSite({"[[controller]]", "name = \"portaria\"", "port = \"COM3\""});
  EXPECT_FALSE(window.OpenSite(QString::fromStdString(path)));
  EXPECT_TRUE(window.lbERRO->isVisibleTo(&window));
  EXPECT_EQ(window.lbERRO->text().toStdString(), path + ":8: duplicate name portaria");
  EXPECT_EQ(window.sgSITE->rowCount(), 0);
  for (QPushButton* button : OperationButtons(window)) EXPECT_FALSE(button->isEnabled());
  EXPECT_FALSE(window.Run(nullptr));
}

TEST_F(SiteWindowTest, SendAndVerifyShowsEachControllersTransferAsItGoes) {
  dir.Write("feriados.txt", SampleHolidays(3));
  dir.Write("grupos.txt", SampleGroups(4));
  dir.Write("lista.txt", SampleTags(300));
  SiteWindow& window = Window();
  ASSERT_TRUE(window.OpenSite(QString::fromStdString(WriteSite(
      {}, {"holidays = \"feriados.txt\"", "groups = \"grupos.txt\"", "tags = \"lista.txt\""}))));

  window.btENVIARV->click();
  std::set<QString> seen[2];
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        for (int row = 0; row < 2; ++row) seen[row].insert(Cell(window, row, kProgress));
        return !window.IsRunning();
      },
      60000));
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(Cell(window, row, kOutcome), "ok: enviado e verificado");
    // "...", at least one step of a transfer, "concluído".
    EXPECT_GE(seen[row].size(), 3u);
    EXPECT_TRUE(std::any_of(seen[row].begin(), seen[row].end(),
                            [](const QString& text) { return text.contains(" de "); }));
  }
  EXPECT_EQ(portaria.With([](auto& c) { return c.eeprom; }),
            garagem.With([](auto& c) { return c.eeprom; }));
}

TEST_F(SiteWindowTest, BackupAsksAFolderAndSavesEachControllerInItsOwn) {
  SiteWindow& window = Window();
  ASSERT_TRUE(window.OpenSite(QString::fromStdString(WriteSite())));
  std::filesystem::create_directory(dir.Root() / "copia");
  dialogs.answers = {QString::fromStdString(dir.Path("copia"))};
  ASSERT_TRUE(RunToTheEnd(window, window.btCOPIA));
  ASSERT_EQ(dialogs.calls.back().kind, ScriptedFileDialogs::Kind::kFolder);
  for (const char* name : {"portaria", "garagem"}) {
    for (const char* file : {"feriados.txt", "grupos.txt", "lista.txt"}) {
      EXPECT_TRUE(std::filesystem::exists(dir.Root() / "copia" / name / file)) << name << file;
    }
  }
  EXPECT_TRUE(Cell(window, 0, kOutcome).startsWith("ok: "))
      << Cell(window, 0, kOutcome).toStdString();

  // A cancelled folder dialog runs nothing.
  ASSERT_TRUE(dialogs.answers.empty());
  window.btCOPIA->click();
  EXPECT_FALSE(window.IsRunning());
}

}  // namespace
}  // namespace zm48d::testing
