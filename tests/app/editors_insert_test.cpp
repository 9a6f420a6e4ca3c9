// "Inserir" of the groups and tag list editors: the row it takes, the texts it
// writes, its limit and a group that is not a number.
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "app/editor_files.h"
#include "tests/app/editors_fixture.h"

namespace zm48d::testing {
namespace {

using EditorInsertTest = EditorTest;

QStringList AllDay(const QString& number, const QString& flag) {
  QStringList row{number};
  for (int day = 0; day < 7; ++day)
    row << "00:00"
        << "23:59";
  return row << flag;
}

TEST_F(EditorInsertTest, StartUpStateOfTheEditorPages) {
  EXPECT_EQ(Row(*form.sgGRUPO, 1), EmptyRow(*form.sgGRUPO));
  EXPECT_FALSE(form.cbFER->isChecked());
  EXPECT_EQ(Row(*form.sgFER, 1), EmptyRow(*form.sgFER));
  EXPECT_EQ(Row(*form.sgLISTA, 1), EmptyRow(*form.sgLISTA));
  EXPECT_EQ(form.Edit1->text(), "000000");
  EXPECT_EQ(form.Edit2->text(), "");
  EXPECT_EQ(form.Edit11->text(), "01");
  EXPECT_EQ(form.Edit17->text(), "1");
  for (QCheckBox* port : {form.cbP1, form.cbP2, form.cbP3, form.cbP4}) {
    EXPECT_FALSE(port->isChecked());
  }
  EXPECT_TRUE(form.Button7->isHidden());
}

// What an operator reads: each day's times under that day's header, and the
// editor's days left to right in the grid's order.
TEST_F(EditorInsertTest, EachDaysTimesLandUnderItsOwnDayInTheGridAndTheEditor) {
  const struct {
    QLabel* label;
    QLineEdit* start;
    QLineEdit* end;
    QString day;
  } days[] = {{form.Label1, form.meSEG1, form.meSEG2, "Segunda"},
              {form.Label2, form.meTER1, form.meTER2, "Terça"},
              {form.Label3, form.meQUA1, form.meQUA2, "Quarta"},
              {form.Label4, form.meQUI1, form.meQUI2, "Quinta"},
              {form.Label5, form.meSEX1, form.meSEX2, "Sexta"},
              {form.Label6, form.meSAB1, form.meSAB2, "Sábado"},
              {form.Label7, form.meDOM1, form.meDOM2, "Domingo"}};
  int hour = 1;
  for (const auto& d : days) {
    d.start->setText(QStringLiteral("%1:10").arg(hour, 2, 10, QChar('0')));
    d.end->setText(QStringLiteral("%1:20").arg(hour++, 2, 10, QChar('0')));
  }
  form.Button6->click();

  int previousX = -1;
  for (const auto& d : days) {
    SCOPED_TRACE(d.day.toStdString());
    int startColumn = -1;
    for (int column = 1; column < form.sgGRUPO->columnCount(); ++column) {
      if (CellText(*form.sgGRUPO, 1, column) == d.start->displayText()) startColumn = column;
    }
    ASSERT_GT(startColumn, 0);
    EXPECT_EQ(CellText(*form.sgGRUPO, 0, startColumn), d.day + " início");
    EXPECT_EQ(CellText(*form.sgGRUPO, 1, startColumn + 1), d.end->displayText());
    EXPECT_EQ(CellText(*form.sgGRUPO, 0, startColumn + 1), d.day + " fim");
    EXPECT_TRUE(d.label->text().startsWith(d.day)) << d.label->text().toStdString();
    EXPECT_EQ(d.start->x(), d.label->x());  // the edits stand under their day
    EXPECT_GT(d.label->x(), previousX);     // Monday on the left, Sunday on the right
    previousX = d.label->x();
  }
}

TEST_F(EditorInsertTest, GroupRowsAreFilledMondayFirst) {
  form.Button6->click();
  EXPECT_EQ(Row(*form.sgGRUPO, 1), AllDay("01", "Não"));

  const std::pair<QLineEdit*, QString> times[] = {
      {form.meSEG1, "01:01"}, {form.meSEG2, "01:02"}, {form.meTER1, "02:01"},
      {form.meTER2, "02:02"}, {form.meQUA1, "03:01"}, {form.meQUA2, "03:02"},
      {form.meQUI1, "04:01"}, {form.meQUI2, "04:02"}, {form.meSEX1, "05:01"},
      {form.meSEX2, "05:02"}, {form.meSAB1, "06:01"}, {form.meSAB2, "06:02"},
      {form.meDOM1, "07:01"}, {form.meDOM2, "07:02"}};
  QStringList expected{"02"};
  for (const auto& [edit, text] : times) {
    edit->setText(text);
    expected << text;
  }
  form.cbFER->setChecked(true);
  form.Button6->click();
  EXPECT_EQ(Row(*form.sgGRUPO, 2), expected << "Sim");
  EXPECT_EQ(form.meDOM1->displayText(), "07:01");  // the edits keep their values

  form.meSEG1->clear();  // an unfilled time goes in as 00:00
  form.Button6->click();
  EXPECT_EQ(CellText(*form.sgGRUPO, 3, 1), "00:00");
}

// The group number is the row's own number: a freed row gets it back. A row whose
// number was cleared but whose first time remains is not free.
TEST_F(EditorInsertTest, InsertTakesTheFirstFreedRowWithItsOwnNumber) {
  for (int i = 0; i < 4; ++i) form.Button6->click();
  Type(*form.sgGRUPO, 1, 0, "");
  Type(*form.sgGRUPO, 3, 0, "");
  Type(*form.sgGRUPO, 3, 1, "");
  form.Button6->click();
  EXPECT_EQ(CellText(*form.sgGRUPO, 3, 0), "03");
  form.Button6->click();
  EXPECT_EQ(CellText(*form.sgGRUPO, 5, 0), "05");
  EXPECT_EQ(CellText(*form.sgGRUPO, 1, 0), "");

  form.Edit1->setText("AAAAAA");
  form.Button19->click();
  form.Button19->click();
  Type(*form.sgLISTA, 1, 0, "");
  Type(*form.sgLISTA, 1, 1, "");
  form.Edit1->setText("BBBBBB");
  form.Button19->click();
  EXPECT_EQ(CellText(*form.sgLISTA, 1, 0), "BBBBBB");
  EXPECT_EQ(CellText(*form.sgLISTA, 2, 0), "AAAAAA");
}

TEST_F(EditorInsertTest, GroupsStopAtTheNinetyNinthRow) {
  for (int i = 0; i < 99; ++i) form.Button6->click();
  EXPECT_EQ(CellText(*form.sgGRUPO, 99, 0), "99");
  EXPECT_TRUE(messages.shown.empty());
  const auto full = Rows(*form.sgGRUPO);
  form.Button6->click();
  EXPECT_EQ(messages.shown, std::vector<QString>{"Limite atingido!!"});
  EXPECT_EQ(Rows(*form.sgGRUPO), full);
}

TEST_F(EditorInsertTest, TagRowsCarryTheDoorsMaskAndAThreeDigitGroup) {
  form.Button19->click();
  EXPECT_EQ(Row(*form.sgLISTA, 1), QStringList({"000000", "", "00", "001"}));

  form.Edit1->setText("12ab05");  // typed values go in as they stand
  form.Edit2->setText("Portaria Não");
  form.cbP1->setChecked(true);
  form.cbP3->setChecked(true);
  form.Edit11->setText("12");
  form.Button19->click();
  EXPECT_EQ(Row(*form.sgLISTA, 2), QStringList({"12ab05", "Portaria Não", "05", "012"}));

  for (QCheckBox* port : {form.cbP2, form.cbP4}) port->setChecked(true);
  form.Edit11->setText(" 1234");
  form.Button19->click();
  EXPECT_EQ(Row(*form.sgLISTA, 3).mid(2), QStringList({"0F", "1234"}));
  form.Edit11->setText("-5");
  form.Button19->click();
  EXPECT_EQ(CellText(*form.sgLISTA, 4, 3), "-005");
  EXPECT_EQ(form.Edit2->text(), "Portaria Não");
}

TEST_F(EditorInsertTest, TagsStopAtRow999) {
  for (int row = 1; row < 999; ++row) Type(*form.sgLISTA, row, 1, "x");
  form.Button19->click();
  EXPECT_EQ(Row(*form.sgLISTA, 999), QStringList({"000000", "", "00", "001"}));
  const auto full = Rows(*form.sgLISTA);
  form.Button19->click();
  EXPECT_EQ(messages.shown, std::vector<QString>{"Limite atingido!!"});
  EXPECT_EQ(Rows(*form.sgLISTA), full);
}

// The group is converted after the tag, description and doors were written: the
// error ends the handler and leaves the row taken without a group.
TEST_F(EditorInsertTest, GroupThatIsNotANumberEndsInsertAfterThreeColumns) {
  form.Edit1->setText("1A2B3C");
  form.cbP2->setChecked(true);
  form.Edit11->setText("1a");
  form.Button19->click();
  EXPECT_EQ(messages.errors, std::vector<QString>{"'1a' is not a valid integer value"});
  EXPECT_EQ(Row(*form.sgLISTA, 1), QStringList({"1A2B3C", "", "02", ""}));
  form.Edit11->setText("3");
  form.Button19->click();
  EXPECT_EQ(CellText(*form.sgLISTA, 2, 3), "003");
}

TEST(ZeroPaddedTest, PrintsLikeTheRuntimesPercentD) {
  EXPECT_EQ(ZeroPadded(1, 2), "01");
  EXPECT_EQ(ZeroPadded(12, 2), "12");
  EXPECT_EQ(ZeroPadded(100, 2), "100");
  EXPECT_EQ(ZeroPadded(0, 3), "000");
  EXPECT_EQ(ZeroPadded(-7, 3), "-007");
  EXPECT_EQ(ZeroPadded(-2147483647 - 1, 3), "-2147483648");
}

}  // namespace
}  // namespace zm48d::testing
