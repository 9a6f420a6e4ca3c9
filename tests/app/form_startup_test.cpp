// Start-up defaults, the editors' "Novo", the port and head address choices of the
// "Config" page, and the shared file dialogs.
#include <utility>

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QTableWidget>

#include "app/string_grid.h"
#include "tests/app/form_fixture.h"

namespace zm48d::testing {
namespace {

QStringList HeaderRow(const QTableWidget& grid) {
  QStringList row;
  for (int c = 0; c < grid.columnCount(); ++c) row << CellText(grid, 0, c);
  return row;
}

void Type(QTableWidget& grid, int row, int column, const QString& text) {
  grid.setItem(row, column, new QTableWidgetItem(text));
}

using StartupTest = FormTest;

TEST_F(StartupTest, FirstShowGivesTheDefaultsAndEmptyEditors) {
  EXPECT_EQ(CellText(*form.sgFER, 0, 0), "");
  form.show();

  EXPECT_EQ(HeaderRow(*form.sgGRUPO),
            QStringList({"Grupo", "Segunda início", "Segunda fim", "Terça início", "Terça fim",
                         "Quarta início", "Quarta fim", "Quinta início", "Quinta fim",
                         "Sexta início", "Sexta fim", "Sábado início", "Sábado fim",
                         "Domingo início", "Domingo fim", "Feriados"}));
  EXPECT_EQ(HeaderRow(*form.sgFER), QStringList({"Data", "Descrição do Feriado"}));
  EXPECT_EQ(HeaderRow(*form.sgLISTA), QStringList({"Tag", "Descrição", "P. Habilitadas", "Grupo"}));
  for (QLineEdit* end : {form.meDOM2, form.meSEG2, form.meTER2, form.meQUA2, form.meQUI2,
                         form.meSEX2, form.meSAB2}) {
    EXPECT_EQ(end->displayText(), "23:59") << end->objectName().toStdString();
  }
  for (QLineEdit* start : {form.meDOM1, form.meSEG1, form.meSAB1}) {
    EXPECT_EQ(start->displayText(), "00:00");
  }
  EXPECT_EQ(form.Edit1->text(), "000000");
  EXPECT_EQ(form.cbSER->currentText(), "COM 1");
  EXPECT_EQ(form.PortNumber, 1);
  EXPECT_EQ(form.Link().HeadAddress, 0xAA);
  EXPECT_EQ(form.Link().serial.baudRate, 19200u);
  EXPECT_TRUE(messages.shown.empty() && messages.errors.empty());
}

// Coming back to the window (after a message box, a dialog or another program)
// does not give the defaults again.
TEST_F(StartupTest, DefaultsAreGivenOnlyOnce) {
  form.show();
  form.Edit1->setText("12AB05");
  Type(*form.sgLISTA, 1, 0, "12AB05");
  form.hide();
  form.show();
  QEvent activation(QEvent::ActivationChange);
  QCoreApplication::sendEvent(&form, &activation);
  form.activateWindow();
  QCoreApplication::processEvents();
  EXPECT_EQ(form.Edit1->text(), "12AB05");
  EXPECT_EQ(CellText(*form.sgLISTA, 1, 0), "12AB05");
}

TEST_F(StartupTest, FormActivateResetsLinkSettingsButNotTheHeadText) {
  form.cbSER->setCurrentIndex(3);
  form.PortNumber = 4;
  form.Link().HeadAddress = 0x33;
  form.Link().serial.baudRate = 9600;
  form.Edit10->setText("12");
  form.FormActivate();
  EXPECT_EQ(form.cbSER->currentIndex(), 0);
  EXPECT_EQ(form.PortNumber, 1);
  EXPECT_EQ(form.Link().HeadAddress, 0xAA);
  EXPECT_EQ(form.Link().serial.baudRate, 19200u);
  EXPECT_EQ(form.Edit10->text(), "12");
}

TEST_F(StartupTest, ClearingAGridKeepsItsHeaderRow) {
  SetCellText(*form.sgLISTA, 0, 0, "Tag");
  Type(*form.sgLISTA, 1, 0, "000001");
  Type(*form.sgLISTA, 500, 2, "0F");
  Type(*form.sgLISTA, 999, 3, "099");
  form.LIMPA_stGRID(form.sgLISTA);
  EXPECT_EQ(CellText(*form.sgLISTA, 0, 0), "Tag");
  EXPECT_EQ(CellText(*form.sgLISTA, 1, 0), "");
  EXPECT_EQ(CellText(*form.sgLISTA, 500, 2), "");
  EXPECT_EQ(CellText(*form.sgLISTA, 999, 3), "");
}

// "Novo" empties the grid and sets the end times; the start times, the holiday box,
// the group, the doors and x stay as the operator left them.
TEST_F(StartupTest, NovoResetsOnlyWhatItOwns) {
  form.FormActivate();
  form.meSEG1->setText("08:00");
  form.meSEG2->setText("18:00");
  form.cbFER->setChecked(true);
  Type(*form.sgGRUPO, 3, 15, "Sim");
  form.Button8->click();
  EXPECT_EQ(form.meSEG1->displayText(), "08:00");
  EXPECT_EQ(form.meSEG2->displayText(), "23:59");
  EXPECT_TRUE(form.cbFER->isChecked());
  EXPECT_EQ(CellText(*form.sgGRUPO, 3, 15), "");

  form.Edit2->setText("Portaria");
  form.Edit11->setText("07");
  form.Edit17->setText("5");
  form.cbP2->setChecked(true);
  form.Button21->click();
  EXPECT_EQ(form.Edit1->text(), "000000");
  EXPECT_EQ(form.Edit2->text(), "");
  EXPECT_EQ(form.Edit11->text(), "07");
  EXPECT_EQ(form.Edit17->text(), "5");
  EXPECT_TRUE(form.cbP2->isChecked());

  Type(*form.sgFER, 1, 0, "25/12");
  Type(*form.sgFER, 1, 1, "Natal");
  form.Button13->click();
  EXPECT_EQ(CellText(*form.sgFER, 1, 0), "");
  EXPECT_EQ(CellText(*form.sgFER, 0, 1), "Descrição do Feriado");
}

TEST_F(StartupTest, MudarTakesUpperCaseHexDigitsAndKeepsTheLowByte) {
  const std::pair<const char*, int> cases[] = {
      {"AA", 0xAA}, {"1AB", 0xAB}, {"aa", 0}, {"", 0}, {"8 0", 0x80}};
  for (const auto& [text, head] : cases) {
    form.Link().HeadAddress = 0x55;
    form.Edit10->setText(text);
    form.Button43->click();
    EXPECT_EQ(form.Link().HeadAddress, head) << text;
  }
  EXPECT_TRUE(line.emulator.Requests().empty());
  EXPECT_FALSE(form.Link().serial.open);
  EXPECT_TRUE(messages.shown.empty() && messages.errors.empty());
}

TEST_F(StartupTest, ChoosingAPortSetsPortNumberWithoutOpeningIt) {
  form.cbSER->setCurrentIndex(4);
  emit form.cbSER->activated(4);
  EXPECT_EQ(form.PortNumber, 5);
  form.cbSER->setCurrentIndex(7);
  emit form.cbSER->activated(7);
  EXPECT_EQ(form.PortNumber, 8);
  EXPECT_FALSE(form.Link().serial.open);
}

TEST_F(StartupTest, SharedDialogsRememberTheLastChosenName) {
  dialogs.answers = {"/tmp/grupos.txt", "", "/tmp/lista.txt"};
  EXPECT_TRUE(form.sdARQ.Execute());
  EXPECT_EQ(form.sdARQ.FileName(), "/tmp/grupos.txt");
  EXPECT_FALSE(form.sdARQ.Execute());
  EXPECT_EQ(form.sdARQ.FileName(), "/tmp/grupos.txt");
  EXPECT_TRUE(form.odARQ.Execute());
  EXPECT_EQ(form.odARQ.FileName(), "/tmp/lista.txt");

  ASSERT_EQ(dialogs.calls.size(), 3u);
  EXPECT_EQ(dialogs.calls[0].kind, ScriptedFileDialogs::Kind::kSave);
  EXPECT_EQ(dialogs.calls[0].lastName, "");
  EXPECT_EQ(dialogs.calls[1].lastName, "/tmp/grupos.txt");
  // The open dialog keeps its own name, apart from the save dialog's.
  EXPECT_EQ(dialogs.calls[2].kind, ScriptedFileDialogs::Kind::kOpen);
  EXPECT_EQ(dialogs.calls[2].lastName, "");
}

}  // namespace
}  // namespace zm48d::testing
