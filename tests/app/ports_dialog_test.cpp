// "Controlador" -> "Portas...": what each "COM n" stands for during this run,
// changed through the dialog and opened by the window's next port cycle over
// the emulated controller's pseudo-terminal.
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include "app/form1.h"
#include "app/ports_dialog.h"
#include "link/port_link.h"
#include "tests/app/app_test_support.h"
#include "tests/support/emulated_line.h"
#include "tests/support/tcp_peers.h"

namespace zm48d::testing {
namespace {

using Texts = std::vector<QString>;

QString NoSuchDevice(int port) { return QStringLiteral("/dev/zm48d-no-such-com%1").arg(port); }

// Each row as "COM 3|/dev/...|padrão".
QStringList Rows(const QTableWidget& table) {
  QStringList rows;
  for (int row = 0; row < table.rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < table.columnCount(); ++column) {
      cells << table.item(row, column)->text();
    }
    rows << cells.join(QLatin1Char('|'));
  }
  return rows;
}

QStringList DefaultRows() {
  QStringList rows;
  for (int port = 1; port <= 8; ++port) {
    rows << QStringLiteral("COM %1|%2|padrão").arg(port).arg(NoSuchDevice(port));
  }
  return rows;
}

class PortsDialogTest : public ::testing::Test, private WithApplication {
 protected:
  void SetUp() override { form.FormActivate(); }

  PortsDialog& OpenDialog() {
    form.miPORTAS->trigger();
    EXPECT_NE(form.fmPORTAS, nullptr);
    EXPECT_TRUE(form.fmPORTAS->isVisible());
    return *form.fmPORTAS;
  }
  void Change(PortsDialog& dialog, int port, const QString& name) {
    dialog.sgPORTAS->selectRow(port - 1);
    dialog.edNOME->setText(name);
    dialog.btALTERAR->click();
  }
  void ChoosePort(int port) {
    form.cbSER->setCurrentIndex(port - 1);
    emit form.cbSER->activated(port - 1);
  }
  int Beeps() {
    return emulator.With([](auto& controller) { return controller.beeps; });
  }

  emu::PtyEmulator emulator;
  ComPortNames names{[](int port) { return NoSuchDevice(port).toStdString(); }};
  PortLink device{names.Resolver()};
  RecordingMessageSink messages;
  ScriptedFileDialogs dialogs;
  TForm1 form{device, messages, dialogs, &names};
};

TEST_F(PortsDialogTest, AnEntryOfTheControllerMenuListsTheEightPortsAsTheyStart) {
  ASSERT_NE(form.miPORTAS, nullptr);
  EXPECT_EQ(form.miPORTAS->text(), "&Portas...");
  // After the separator, before "Site...".
  EXPECT_EQ(form.mnCONTROLADOR->actions().at(4), form.miPORTAS);
  PortsDialog& dialog = OpenDialog();
  EXPECT_EQ(dialog.windowTitle(), "Portas");
  EXPECT_EQ(dialog.sgPORTAS->horizontalHeaderItem(1)->text(), "Dispositivo ou URL");
  EXPECT_EQ(Rows(*dialog.sgPORTAS), DefaultRows());
  EXPECT_EQ(dialog.edNOME->text(), NoSuchDevice(1));
  dialog.sgPORTAS->selectRow(5);
  EXPECT_EQ(dialog.edNOME->text(), NoSuchDevice(6));

  // A window given no names has no entry: the ports are the platform's.
  TForm1 plain{device, messages, dialogs};
  EXPECT_EQ(plain.miPORTAS, nullptr);
  EXPECT_EQ(plain.mnCONTROLADOR->actions().size(), 5);
  EXPECT_EQ(plain.mnCONTROLADOR->actions().last(), plain.miSITE);
}

TEST_F(PortsDialogTest, EveryPortAndTheWholeHintInSightWithoutScrolling) {
  PortsDialog& dialog = OpenDialog();
  const QTableWidget& table = *dialog.sgPORTAS;
  EXPECT_LE(table.rowViewportPosition(7) + table.rowHeight(7), table.viewport()->height());
  EXPECT_GE(dialog.lbDICA->width(), dialog.lbDICA->sizeHint().width());
  EXPECT_EQ(dialog.lbDICA->text(),
            "Um dispositivo (/dev/ttyUSB0) ou uma URL: "
            "rfc2217://HOST:PORTA ou socket://HOST:PORTA");
}

TEST_F(PortsDialogTest, ComThreeGivenThePseudoTerminalBeepsUntilItsDefaultIsRestored) {
  ChoosePort(3);
  form.Button1->click();  // "Beep"
  EXPECT_EQ(messages.shown, Texts{"Erro ao abrir a porta serial!!"});
  EXPECT_TRUE(emulator.Requests().empty());

  PortsDialog& dialog = OpenDialog();
  const QString pty = QString::fromStdString(emulator.TerminalPath());
  Change(dialog, 3, QStringLiteral("  %1 ").arg(pty));
  QStringList expected = DefaultRows();
  expected[2] = QStringLiteral("COM 3|%1|nesta sessão").arg(pty);
  EXPECT_EQ(Rows(*dialog.sgPORTAS), expected);
  EXPECT_EQ(names.NameOf(3), emulator.TerminalPath());
  dialog.btFECHAR->click();
  EXPECT_FALSE(dialog.isVisible());

  form.Button1->click();
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(Beeps(), 1);
  EXPECT_FALSE(form.Link().serial.open);

  // Opened again it shows this run's choice; restored, COM 3 is the missing
  // device once more at the next open.
  OpenDialog();
  EXPECT_EQ(Rows(*dialog.sgPORTAS), expected);
  dialog.sgPORTAS->selectRow(2);
  dialog.btRESTAURAR->click();
  EXPECT_EQ(Rows(*dialog.sgPORTAS), DefaultRows());
  EXPECT_EQ(dialog.edNOME->text(), NoSuchDevice(3));
  EXPECT_FALSE(names.IsAssigned(3));
  form.Button1->click();
  EXPECT_EQ(messages.shown, Texts(2, "Erro ao abrir a porta serial!!"));
  EXPECT_EQ(Beeps(), 1);
}

// The URL goes to the network link: the window's open fails the way a device's
// does, and the status line names the port, its URL and the server's refusal.
TEST_F(PortsDialogTest, ComFourGivenASocketUrlIsOpenedOverTheNetwork) {
  const QString url = QStringLiteral("socket://127.0.0.1:%1").arg(RefusingPort());
  Change(OpenDialog(), 4, url);
  ChoosePort(4);
  form.Button1->click();  // "Beep"
  EXPECT_EQ(messages.shown, Texts{"Erro ao abrir a porta serial!!"});
  EXPECT_TRUE(form.StatusText().endsWith(QStringLiteral("COM 4 (") + url +
                                         QStringLiteral("): conexão recusada pelo servidor")))
      << form.StatusText().toStdString();
  EXPECT_TRUE(emulator.Requests().empty());
}

TEST_F(PortsDialogTest, AUrlTheTerminalCannotReachIsRefusedAndTheTableStaysAsItWas) {
  PortsDialog& dialog = OpenDialog();
  Change(dialog, 5, QStringLiteral("rfc2217://10.0.0.5:4001"));
  EXPECT_TRUE(messages.shown.empty());
  const QStringList before = Rows(*dialog.sgPORTAS);
  EXPECT_EQ(before[4], "COM 5|rfc2217://10.0.0.5:4001|nesta sessão");

  Change(dialog, 5, QStringLiteral("socket://portaria"));
  Change(dialog, 6, QStringLiteral("telnet://portaria:23"));
  EXPECT_EQ(messages.shown, (Texts{"URL inválida: falta o número da porta!!",
                                   "URL inválida: use rfc2217:// ou socket://!!"}));
  EXPECT_EQ(Rows(*dialog.sgPORTAS), before);
  EXPECT_EQ(names.NameOf(5), "rfc2217://10.0.0.5:4001");
  EXPECT_FALSE(names.IsAssigned(6));
  // The refused text stays in the edit, for the operator to correct.
  EXPECT_EQ(dialog.edNOME->text(), "telnet://portaria:23");
}

}  // namespace
}  // namespace zm48d::testing
