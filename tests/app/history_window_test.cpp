// "Coletar registros" and the history window over the emulated controller and
// a SQLite event store of the test's own (ZM48D_DB).
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>

#include "app/access_chart.h"
#include "app/history_window.h"
#include "tests/app/form_fixture.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

// tag low byte, hour (BCD), flags: 0x10 granted, low nibble the door - 1, the
// top bits the reason a refusal gives.
struct Event {
  std::uint8_t tagLow, hour, flags;
};
const Event kEvents[] = {
    {0xB2, 0x14, 0x10},  // 00A1B2 14h granted door 1
    {0xB2, 0x09, 0x41},  // 00A1B2 09h refused door 2
    {0xD4, 0x14, 0x13},  // 00A1D4 14h granted door 4
    {0xD4, 0x18, 0x82},  // 00A1D4 18h refused door 3
};
const QString kStoreNotOpened = QStringLiteral("Não foi possível abrir o banco de registros ");

class HistoryWindowTest : public FormTest {
 protected:
  void SetUp() override {
    ::setenv("ZM48D_DB", dir.Path("events.db").c_str(), 1);
    form.FormActivate();
    line.emulator.With([](auto& c) {
      for (const Event& e : kEvents) {
        ASSERT_TRUE(c.PushEvent(SampleEvent(0xA100 + e.tagLow, e.flags, e.hour)));
      }
    });
  }
  void TearDown() override { ::unsetenv("ZM48D_DB"); }

  int WaitingBytes() {
    return line.emulator.With([](emu::Controller& c) { return testing::WaitingBytes(c.eeprom); });
  }
  HistoryWindow& Harvested() {
    form.miCOLETAR->trigger();
    form.miHISTORICO->trigger();
    return *form.fmHISTORICO;
  }
  static QStringList Column(const QTableWidget& table, int column) {
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row) texts << table.item(row, column)->text();
    return texts;
  }
  static int Sum(const QBarSet& set) {
    int sum = 0;
    for (int i = 0; i < set.count(); ++i) sum += static_cast<int>(set.at(i));
    return sum;
  }

  TempDir dir;
};

TEST_F(HistoryWindowTest, HarvestStoresTheEventsEmptiesTheStackAndSaysSoOnTheStatusLine) {
  ASSERT_EQ(WaitingBytes(), 40);
  const HistoryWindow& history = Harvested();
  EXPECT_EQ(messages.shown, std::vector<QString>{"4 registros armazenados (COM 1)"});
  EXPECT_EQ(WaitingBytes(), 0);
  EXPECT_TRUE(form.StatusText().contains(QStringLiteral(" Coletar registros: ")));
  EXPECT_TRUE(form.StatusText().endsWith(QStringLiteral("; 4 registros armazenados (COM 1)")))
      << form.StatusText().toStdString();
  EXPECT_TRUE(history.isVisible());
  EXPECT_EQ(history.windowTitle(), "Histórico");
  ASSERT_EQ(history.sgHISTORICO->rowCount(), 4);
  EXPECT_EQ(Column(*history.sgHISTORICO, 7), QStringList(4, QStringLiteral("COM 1")));
  EXPECT_EQ(history.sgHISTORICO->horizontalHeaderItem(8)->text(), "Coletado em");
  // A second harvest finds the stack empty and the history unchanged.
  form.miCOLETAR->trigger();
  form.fmHISTORICO->btFILTRARClick();
  EXPECT_EQ(history.sgHISTORICO->rowCount(), 4);
}

TEST_F(HistoryWindowTest, AStoreThatCannotBeOpenedIsSaidAndTheControllerIsLeftAlone) {
  dir.Write("plain", {"not a folder"});
  ::setenv("ZM48D_DB", dir.Path("plain/events.db").c_str(), 1);
  line.emulator.ClearRequests();
  const HistoryWindow& history = Harvested();
  ASSERT_EQ(messages.shown.size(), 1u);
  const QString location = QString::fromStdString(dir.Path("plain"));
  EXPECT_TRUE(messages.shown[0].startsWith(kStoreNotOpened + location));
  EXPECT_TRUE(line.emulator.Requests().empty());
  EXPECT_EQ(WaitingBytes(), 40);
  EXPECT_EQ(history.pnDADOS->currentWidget(), history.lbBANCO);
  EXPECT_TRUE(history.lbBANCO->text().startsWith(kStoreNotOpened));
}

TEST_F(HistoryWindowTest, FiltersNarrowTheRowsAndTheChartsCountThem) {
  HistoryWindow& history = Harvested();
  struct Case {
    QString controller, tag;
    int door;  // index in "Todas", "Porta 1".."Porta 4"
    bool refusedOnly;
    QStringList hours;  // the rows' "Hora", oldest first
  };
  const Case cases[] = {
      {"", "", 0, false, {"09:05:33", "14:05:33", "14:05:33", "18:05:33"}},
      {"", "00a1b2", 0, false, {"09:05:33", "14:05:33"}},
      {"", "", 0, true, {"09:05:33", "18:05:33"}},
      {"", "00A1D4", 0, true, {"18:05:33"}},
      {"", "", 4, false, {"14:05:33"}},
      {"COM 1", "", 2, false, {"09:05:33"}},
      {"COM 2", "", 0, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tag.toStdString() + " door " + std::to_string(c.door));
    history.edCONTROLADOR->setText(c.controller);
    history.edTAG->setText(c.tag);
    history.cbPORTA->setCurrentIndex(c.door);
    history.cbNEGADOS->setChecked(c.refusedOnly);
    history.btFILTRAR->click();
    history.sgHISTORICO->sortByColumn(2, Qt::AscendingOrder);
    EXPECT_EQ(Column(*history.sgHISTORICO, 2), c.hours);
    const int rows = static_cast<int>(c.hours.size());
    EXPECT_EQ(Sum(history.chHORA->Granted()) + Sum(history.chHORA->Refused()), rows);
    EXPECT_EQ(Sum(history.chPORTA->Granted()) + Sum(history.chPORTA->Refused()), rows);
    EXPECT_EQ(Sum(history.chHORA->Refused()), Column(*history.sgHISTORICO, 3).count("Não"));
  }
  // Everything: two granted at 14h, one refused at 9h and at 18h; per door one each.
  history.edCONTROLADOR->clear();
  history.edTAG->clear();
  history.cbPORTA->setCurrentIndex(0);
  history.cbNEGADOS->setChecked(false);
  history.btFILTRAR->click();
  EXPECT_EQ(history.chHORA->Granted().at(14), 2);
  EXPECT_EQ(history.chHORA->Refused().at(9), 1);
  EXPECT_EQ(history.chHORA->Refused().at(18), 1);
  for (int door = 0; door < 4; ++door) {
    EXPECT_EQ(history.chPORTA->Granted().at(door) + history.chPORTA->Refused().at(door), 1);
  }
  // A bad tag is said, and the table keeps what it showed.
  history.edTAG->setText(QStringLiteral("00A1G2"));
  history.btFILTRAR->click();
  EXPECT_EQ(messages.shown.back(), "O TAG do filtro deve ter seis dígitos hexadecimais!!");
  EXPECT_EQ(history.sgHISTORICO->rowCount(), 4);
}

TEST_F(HistoryWindowTest, SortsByAnyColumnAndCopiesTheChosenRowsOrAll) {
  HistoryWindow& history = Harvested();
  QTableWidget& table = *history.sgHISTORICO;
  table.sortByColumn(2, Qt::DescendingOrder);
  EXPECT_EQ(Column(table, 2), (QStringList{"18:05:33", "14:05:33", "14:05:33", "09:05:33"}));
  table.sortByColumn(4, Qt::AscendingOrder);
  EXPECT_EQ(Column(table, 4), (QStringList{"Porta 1", "Porta 2", "Porta 3", "Porta 4"}));

  history.btCOPIAR->click();
  QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines[0], "TAG\tData\tHora\tAcesso\tPorta\tFeriado\tMotivo\tControlador\tColetado em");
  EXPECT_TRUE(lines[1].startsWith("00A1B2\t07/12/26\t14:05:33\tSim\tPorta 1\t"))
      << lines[1].toStdString();
  table.selectRow(3);
  history.btCOPIARClick();
  lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[1].startsWith("00A1D4\t07/12/26\t14:05:33\tSim\tPorta 4\t"));
}

TEST_F(HistoryWindowTest, ExportWritesTheCsvOfZm48dHistoryOldestFirst) {
  HistoryWindow& history = Harvested();
  history.cbNEGADOS->setChecked(true);
  history.btFILTRAR->click();
  history.sgHISTORICO->sortByColumn(2, Qt::DescendingOrder);  // the file keeps the store's order
  dialogs.answers = {QString::fromStdString(dir.Path("negados.csv"))};
  history.btEXPORTAR->click();
  std::ifstream in(dir.Path("negados.csv"), std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "TAG,Data,Hora,Acesso,Porta,Feriado,Motivo,Controlador,Coletado em");
  const std::string refused = "00A1B2,07/12/26,09:05:33,Não,Porta 2,Não,tag não cadastrado!,COM 1,";
  EXPECT_EQ(lines[1].rfind(refused, 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("00A1D4,07/12/26,18:05:33,Não,Porta 3,", 0), 0u) << lines[2];
}

}  // namespace
}  // namespace zm48d::testing
