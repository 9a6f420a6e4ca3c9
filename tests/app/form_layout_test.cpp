// What the operator sees when the window opens: pages, captions, defaults, masks,
// grids, hidden and bold buttons.
#include <cstdlib>
#include <vector>

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTime>
#include <QTimer>

#include "app/clock_display.h"
#include "tests/app/form_fixture.h"

namespace zm48d::testing {
namespace {

using FormLayoutTest = FormTest;

TEST_F(FormLayoutTest, EightPagesInOrderOpeningOnOnlineReading) {
  const QStringList captions = {"Config", "Funções básicas", "Grupos", "Cadastro", "Feriados", "TX",
                                "Pilha",  "Leitura OnLine"};
  ASSERT_EQ(form.PageControl1->count(), captions.size());
  for (int i = 0; i < captions.size(); ++i) {
    EXPECT_EQ(form.PageControl1->tabText(i), captions[i]);
    EXPECT_EQ(form.PageControl1->widget(i)->objectName(), QString("TabSheet%1").arg(i + 1));
  }
  EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet8);
  EXPECT_EQ(form.windowTitle(), "Terminal de Testes ZM48D");
  EXPECT_EQ(form.font().family(), "MS Sans Serif");
  EXPECT_EQ(form.font().pointSize(), 8);
}

// Every control is found by its name on its own page.
TEST_F(FormLayoutTest, ControlsSitOnTheirPages) {
  const char* pages[] = {
      "Label20 cbSER Label21 Edit10 Button43",
      "Button1 JvxClock1 Button2 Button3 Button4 Button5 GroupBox1 Label10 Label13 Edit3 Edit4 "
      "Edit5 Edit6 Label15 Button25 Button26 GroupBox2 Label24 Label27 Edit12 Edit13 Edit14 "
      "Edit15 Button36 Button37 Label14 Edit7 Button27 Button28 Label16 Label17 meDAT meHOR "
      "Button29 Button30 Button31 Button42",
      "sgGRUPO Panel1 Label7 Label1 Label6 meDOM1 meDOM2 meSEG1 meSEG2 meTER1 meTER2 meQUA1 "
      "meQUA2 meQUI1 meQUI2 meSEX1 meSEX2 meSAB1 meSAB2 cbFER Button8 Button6 Button7 Button9 "
      "Button10 Button17",
      "sgLISTA Label8 Edit1 Button18 Label9 Edit2 Button21 Button19 Button20 Label22 Edit11 cbP1 "
      "cbP2 cbP3 cbP4 Button39 Label29 Edit17 Button23 Button24 Button22 Button35",
      "sgFER Button13 Button11 Button12 Button15",
      "Label18 Edit8 Button14 Label19 Edit9 Button16 Label28 Edit16 Button38 Button32 lbPIL "
      "Button33",
      "Button34 Label23 sgPIL Button40 Button41",
      "Memo1 Button44 Button45",
  };
  for (int page = 0; page < 8; ++page) {
    for (const QString& name : QString(pages[page]).split(' ')) {
      const auto found = form.findChildren<QWidget*>(name);
      ASSERT_EQ(found.size(), 1) << name.toStdString();
      EXPECT_TRUE(form.PageControl1->widget(page)->isAncestorOf(found[0])) << name.toStdString();
    }
  }
}

TEST_F(FormLayoutTest, CaptionsAndDefaultTexts) {
  EXPECT_EQ(form.Edit10->text(), "AA");
  EXPECT_EQ(form.Button43->text(), "Mudar");
  EXPECT_EQ(form.Label21->text(), "Cabeça da comunicação");
  ASSERT_EQ(form.cbSER->count(), 8);
  EXPECT_EQ(form.cbSER->itemText(0), "COM 1");
  EXPECT_EQ(form.cbSER->itemText(7), "COM 8");
  EXPECT_FALSE(form.cbSER->isEditable());

  EXPECT_EQ(form.Button1->text(), "Beep");
  EXPECT_EQ(form.Button5->text(), "Relé 4");
  EXPECT_EQ(form.GroupBox1->title(), " Tempo de Relé ");
  EXPECT_EQ(form.GroupBox2->title(), " Timeout Leitores (1..63s) ");
  EXPECT_EQ(form.Label15->text(), "* valor múltiplo de 250ms");
  for (QLineEdit* relayTime : {form.Edit3, form.Edit4, form.Edit5, form.Edit6}) {
    EXPECT_EQ(relayTime->text(), "1000");
  }
  for (QLineEdit* timeout : {form.Edit12, form.Edit13, form.Edit14, form.Edit15}) {
    EXPECT_EQ(timeout->text(), "1");
  }
  EXPECT_EQ(form.Edit7->text(), "80");
  EXPECT_EQ(form.Button31->text(), "Grava S.O");
  EXPECT_EQ(form.Button42->text(), "Zerar memória");

  EXPECT_EQ(form.Label2->text(), "Terça-feira");
  EXPECT_EQ(form.cbFER->text(), "Permitir acesso nos feriados");
  EXPECT_FALSE(form.cbFER->isChecked());

  EXPECT_EQ(form.Edit11->text(), "01");
  EXPECT_EQ(form.Edit17->text(), "1");
  EXPECT_EQ(form.Label29->text(), "\"x\"");
  EXPECT_EQ(form.Button39->text(), "Montar lista com os últimos \"x\" tags lidos");
  EXPECT_EQ(form.Button18->text(), "Último");
  EXPECT_FALSE(form.cbP1->isChecked() || form.cbP2->isChecked() || form.cbP3->isChecked() ||
               form.cbP4->isChecked());

  EXPECT_EQ(form.Label28->text(), ".txt com  a lista de tags cadastrados");
  EXPECT_EQ(form.Edit8->text(), "");
  EXPECT_EQ(form.lbPIL->text(), "=");
  EXPECT_EQ(form.Label23->text(), "Total de registros lidos: ");
  EXPECT_EQ(form.Memo1->toPlainText(), "Memo1");
  EXPECT_EQ(form.Button44->text(), "Iniciar Leitura");
}

TEST_F(FormLayoutTest, HiddenAndBoldButtons) {
  for (QPushButton* hidden : {form.Button7, form.Button40, form.Button41}) {
    EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
  }
  EXPECT_FALSE(form.Button6->isHidden());
  for (QPushButton* bold : {form.Button17, form.Button22, form.Button35, form.Button15,
                            form.Button14, form.Button16, form.Button38, form.Button33}) {
    EXPECT_TRUE(bold->font().bold()) << bold->objectName().toStdString();
  }
  EXPECT_FALSE(form.Button1->font().bold());
  EXPECT_FALSE(form.Button32->font().bold());
}

// Untouched masked edits read zeroes with their separators; a typed value reads
// back whole, zeroes included (text() would drop them).
TEST_F(FormLayoutTest, MaskedEditsReadZeroesWhenUntouched) {
  EXPECT_EQ(form.meDAT->displayText(), "00/00/00");
  EXPECT_EQ(form.meHOR->displayText(), "00:00:00");
  EXPECT_EQ(form.meDAT->maxLength(), 8);
  EXPECT_EQ(form.meHOR->maxLength(), 8);
  for (QLineEdit* time : {form.meDOM1, form.meDOM2, form.meSEG1, form.meSEG2, form.meTER1,
                          form.meTER2, form.meQUA1, form.meQUA2, form.meQUI1, form.meQUI2,
                          form.meSEX1, form.meSEX2, form.meSAB1, form.meSAB2}) {
    EXPECT_EQ(time->displayText(), "00:00") << time->objectName().toStdString();
    EXPECT_EQ(time->maxLength(), 5);
  }
  form.meHOR->setText("10:05:00");
  EXPECT_EQ(form.meHOR->displayText(), "10:05:00");
  form.meSEG1->setText("08:30");
  EXPECT_EQ(form.meSEG1->displayText(), "08:30");
  form.meDAT->setText("31129");
  EXPECT_EQ(form.meDAT->displayText(), "31/12/90");
}

TEST_F(FormLayoutTest, GridShapes) {
  struct Shape {
    QTableWidget* grid;
    int columns, rows;
    std::vector<int> widths;
  };
  const Shape shapes[] = {
      {form.sgGRUPO, 16, 100, {51, 53, 54, 56, 57, 54, 55, 55, 51, 51, 49, 64, 64, 64, 64, 64}},
      {form.sgLISTA, 4, 1000, {76, 198, 78, 58}},
      {form.sgFER, 2, 50, {64, 209}},
      {form.sgPIL, 7, 100, {99, 83, 88, 71, 76, 64, 154}},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.grid->objectName().toStdString());
    EXPECT_EQ(shape.grid->columnCount(), shape.columns);
    EXPECT_EQ(shape.grid->rowCount(), shape.rows);
    // The given widths, wider only where a header text needs more (none before "Novo").
    for (int c = 0; c < shape.columns; ++c) EXPECT_EQ(shape.grid->columnWidth(c), shape.widths[c]);
    EXPECT_EQ(shape.grid->rowHeight(5), 18);
    // Row 0 is drawn by the table's header, which stays put when the grid scrolls.
    EXPECT_FALSE(shape.grid->horizontalHeader()->isHidden());
    EXPECT_TRUE(shape.grid->isRowHidden(0));
    EXPECT_TRUE(shape.grid->verticalHeader()->isHidden());
    // Row 0 is the fixed header row: never edited by the operator.
    EXPECT_FALSE(shape.grid->item(0, 0)->flags() & Qt::ItemIsEditable);
  }
  EXPECT_EQ(form.sgPIL->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_NE(form.sgGRUPO->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(form.sgLISTA->width(), 438);
  EXPECT_EQ(form.sgFER->width(), 300);
}

TEST_F(FormLayoutTest, TimerRelayTagsAndClock) {
  EXPECT_EQ(form.Timer1->interval(), 1000);
  EXPECT_FALSE(form.Timer1->isActive());
  EXPECT_FALSE(form.OnlineReadingActive);
  EXPECT_EQ(form.Button2->property("tag").toInt(), 1);
  EXPECT_EQ(form.Button3->property("tag").toInt(), 2);
  EXPECT_EQ(form.Button4->property("tag").toInt(), 3);
  EXPECT_EQ(form.Button5->property("tag").toInt(), 4);

  const QTime shown = QTime::fromString(form.JvxClock1->ShownTime(), "hh:mm:ss");
  ASSERT_TRUE(shown.isValid()) << form.JvxClock1->ShownTime().toStdString();
  const int apart = std::abs(shown.secsTo(QTime::currentTime()));
  EXPECT_TRUE(apart <= 2 || apart >= 86400 - 2) << apart;
}

}  // namespace
}  // namespace zm48d::testing
