// Reads decided by the emulated controller, seen in the window: the sample
// files sent from the "TX" page, three tags swiped on the emulator's console,
// then the "Pilha" grid and a "Leitura OnLine" line show them.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>

#include "app/string_grid.h"
#include "emulator/console.h"
#include "files/line_file.h"
#include "tests/app/form_fixture.h"
#include "tests/support/sample_files.h"

namespace zm48d::testing {
namespace {

using namespace std::chrono_literals;
using Row = std::vector<QString>;

class SwipePagesTest : public FormTest {
 protected:
  void SetUp() override {
    form.Edit8->setText(QString::fromStdString(ExampleFile("feriados.txt")));
    form.Edit9->setText(QString::fromStdString(ExampleFile("grupos.txt")));
    form.Edit16->setText(QString::fromStdString(ExampleFile("lista.txt")));
    form.Button33->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().toStdString();
    const LineList reads = LoadLines(ExampleFile("leituras.txt"));
    for (const std::string& read : reads) {
      emu::RunConsoleCommand(line.emulator, "swipe " + read);
    }
  }
  Row GridRow(int row) {
    Row cells;
    for (int column = 0; column < form.sgPIL->columnCount(); ++column) {
      cells.push_back(CellText(*form.sgPIL, row, column));
    }
    return cells;
  }
  QStringList MemoLines() const { return form.Memo1->toPlainText().split('\n'); }
  // Lets the window's events (its timer among them) run until `done`.
  bool RunUntil(const std::function<bool()>& done) {
    QTimer wake;  // so that waiting for events never outlasts the deadline
    wake.start(5);
    const auto deadline = std::chrono::steady_clock::now() + 3s;
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
  }
};

TEST_F(SwipePagesTest, PilhaShowsTheDecisionsOldestFirst) {
  form.Button34->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(form.Label23->text(), "Total de registros lidos: 3");
  ASSERT_EQ(form.sgPIL->rowCount(), 4);
  EXPECT_EQ(GridRow(1), (Row{"00A1B2", "07/12/26", "09:30:00", "Sim", "Porta 1", "Não", "ok!"}));
  EXPECT_EQ(GridRow(2), (Row{"00A1B2", "07/12/26", "09:31:00", "Não", "Porta 2", "Não",
                             "porta não habilitada!"}));
  EXPECT_EQ(GridRow(3),
            (Row{"00BEEF", "07/12/26", "09:32:00", "Não", "Porta 1", "Não", "fora do horário!"}));
}

// Each reader's entry holds its last tag with the event's flags: door 1 last
// saw 00BEEF refused for its hours (80), door 2 00A1B2 at a door it may not
// open (C1).
TEST_F(SwipePagesTest, LeituraOnLineShowsTheLastTagOfEachReader) {
  form.Timer1->setInterval(20);
  form.Button44->click();
  ASSERT_TRUE(RunUntil([&] { return MemoLines().size() >= 2; }));
  EXPECT_EQ(MemoLines()[1],
            "00BEEF*80 - 00A1B2*C1 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - "
            "000000*00 - ");
  form.Button44->click();
  EXPECT_TRUE(RunUntil([&] { return form.Button44->text() == "Iniciar Leitura"; }));
}

}  // namespace
}  // namespace zm48d::testing
