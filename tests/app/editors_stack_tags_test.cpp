// "Último" and "Montar lista com os últimos "x" tags lidos" over the emulated
// controller: the tags they take from the event stack and their messages.
#include <array>
#include <cstdint>
#include <vector>

#include <QComboBox>
#include <QLineEdit>

#include "tests/app/editors_fixture.h"
#include "tests/support/emulator_memory.h"

namespace zm48d::testing {
namespace {

constexpr int kStackStart = 0x0020;
constexpr int kStackLimit = 0x07FA;

class StackTagsTest : public EditorTest {
 protected:
  // An empty stack from `start`, or a header with any start and top.
  void SetStack(int start, int top) { testing::SetStack(line.emulator, start, top, kStackLimit); }
  // Records presented by the tags 0xA00001, 0xA00002, ... in that order.
  void PushTags(int count) {
    for (int i = 1; i <= count; ++i) PushTag(0xA00000 + static_cast<std::uint32_t>(i));
  }
  void PushTag(std::uint32_t tag) {
    ASSERT_TRUE(
        line.emulator.With([&](emu::Controller& c) { return c.PushEvent(SampleEvent(tag)); }));
  }
  QStringList TagColumn(int rows) {
    QStringList tags;
    for (int r = 1; r <= rows; ++r) tags << CellText(*form.sgLISTA, r, 0);
    return tags;
  }
  void MontarLista(const QString& x) {
    form.Edit17->setText(x);
    form.Button39->click();
    EXPECT_FALSE(form.Link().serial.open);
  }

  void SetUp() override {
    EditorTest::SetUp();
    SetStack(kStackStart, kStackStart);
  }
};

TEST_F(StackTagsTest, UltimoPutsTheNewestTagIntoEdit1) {
  PushTags(2);
  PushTag(0x12AB05);
  form.Edit2->setText("Portaria");
  form.Button18->click();
  EXPECT_EQ(form.Edit1->text(), "12AB05");
  EXPECT_EQ(form.Edit2->text(), "Portaria");
  EXPECT_EQ(Row(*form.sgLISTA, 1), EmptyRow(*form.sgLISTA));
  EXPECT_TRUE(messages.shown.empty() && messages.errors.empty());
  EXPECT_FALSE(form.Link().serial.open);
  EXPECT_EQ(line.emulator.Requests().size(), 2u);  // header, one record
}

// An empty stack and a top below the start both leave nothing to read.
TEST_F(StackTagsTest, UltimoWithoutRecordsSaysSo) {
  form.Button18->click();
  SetStack(0x0100, 0x00F6);
  form.Button18->click();
  EXPECT_EQ(messages.shown, (std::vector<QString>{"Não existem registros a serem lidos!!",
                                                  "Não existem registros a serem lidos!!"}));
  EXPECT_EQ(form.Edit1->text(), "000000");
  EXPECT_EQ(line.emulator.Requests().size(), 2u);  // the two headers only
}

// Fewer than ten bytes waiting hold no record: nothing is read below the start.
TEST_F(StackTagsTest, APartialRecordAloneIsNoRecordForEitherButton) {
  SetStack(kStackStart, kStackStart + 5);
  form.Button18->click();
  MontarLista("3");
  EXPECT_EQ(messages.shown, std::vector<QString>(2, "Não existem registros a serem lidos!!"));
  EXPECT_EQ(form.Edit1->text(), "000000");
  EXPECT_EQ(line.emulator.Requests().size(), 2u);  // the two headers only
}

// The header read failing shows nothing; the record read failing says so.
TEST_F(StackTagsTest, UltimoReadFailures) {
  PushTags(1);
  line.emulator.SetFault({emu::Fault::kBadChecksum, 0, 1});
  form.Button18->click();
  EXPECT_TRUE(messages.shown.empty());
  line.emulator.SetFault({emu::Fault::kBadChecksum, 1, 1});
  form.Button18->click();
  EXPECT_EQ(messages.shown, std::vector<QString>{"Não foi possível ler os dados da eeprom!!"});
  EXPECT_EQ(form.Edit1->text(), "000000");
  EXPECT_FALSE(form.Link().serial.open);
}

// The x oldest records, in stack order; all of them when x is not below their number.
TEST_F(StackTagsTest, MontarListaTakesTheOldestRecords) {
  PushTags(5);
  TypeRow(*form.sgLISTA, 7, {"FFFFFF", "antes", "01", "001"});
  form.Edit1->setText("ABCDEF");
  MontarLista("3");
  EXPECT_EQ(TagColumn(4), QStringList({"A00001", "A00002", "A00003", ""}));
  EXPECT_EQ(Row(*form.sgLISTA, 1), QStringList({"A00001", "", "", ""}));
  EXPECT_EQ(Row(*form.sgLISTA, 7), EmptyRow(*form.sgLISTA));  // "Novo" ran first
  EXPECT_EQ(form.Edit1->text(), "000000");

  MontarLista("5");
  EXPECT_EQ(TagColumn(6), QStringList({"A00001", "A00002", "A00003", "A00004", "A00005", ""}));
  MontarLista("9");
  EXPECT_EQ(TagColumn(6), QStringList({"A00001", "A00002", "A00003", "A00004", "A00005", ""}));
  EXPECT_TRUE(messages.shown.empty() && messages.errors.empty());
  // The stack is only read: still five records waiting.
  MontarLista("1");
  EXPECT_EQ(TagColumn(2), QStringList({"A00001", ""}));
}

// x = 0, a negative x and an empty stack ask for nothing; the grid stays.
TEST_F(StackTagsTest, MontarListaWithNothingToReadLeavesTheGrid) {
  TypeRow(*form.sgLISTA, 1, {"FFFFFF", "antes", "01", "001"});
  const auto before = Rows(*form.sgLISTA);
  MontarLista("1");  // empty stack
  PushTags(2);
  MontarLista("0");
  MontarLista("-3");
  EXPECT_EQ(messages.shown, std::vector<QString>(3, "Não existem registros a serem lidos!!"));
  EXPECT_EQ(Rows(*form.sgLISTA), before);
  EXPECT_TRUE(messages.errors.empty());
}

// A top below the start is not one range to read: a failed read, as is a record
// read that fails. Neither touches the grid or leaves the port open.
TEST_F(StackTagsTest, MontarListaFailures) {
  TypeRow(*form.sgLISTA, 1, {"FFFFFF", "antes", "01", "001"});
  const auto before = Rows(*form.sgLISTA);
  SetStack(0x0100, 0x00F6);
  MontarLista("1");
  SetStack(kStackStart, kStackStart);
  PushTags(3);
  line.emulator.SetFault({emu::Fault::kBadChecksum, 1, 1});
  MontarLista("2");
  EXPECT_EQ(messages.shown, std::vector<QString>(2, "Não foi possível ler os dados da eeprom!!"));
  line.emulator.SetFault({emu::Fault::kBadChecksum, 0, 1});
  MontarLista("2");  // header read failing: nothing shown
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(Rows(*form.sgLISTA), before);
}

// x is read once the header has been read; a text that is not a number ends the
// handler with the runtime's error, and the port is released all the same.
TEST_F(StackTagsTest, MontarListaWithXNotANumber) {
  PushTags(2);
  TypeRow(*form.sgLISTA, 1, {"FFFFFF", "antes", "01", "001"});
  MontarLista("dois");
  EXPECT_EQ(messages.errors, std::vector<QString>{"'dois' is not a valid integer value"});
  EXPECT_EQ(line.emulator.Requests().size(), 1u);
  EXPECT_EQ(CellText(*form.sgLISTA, 1, 1), "antes");
}

// Bytes past the last whole record are read but give no row.
TEST_F(StackTagsTest, MontarListaIgnoresAPartialRecordAtTheTop) {
  PushTags(2);
  SetStack(kStackStart, kStackStart + 25);
  MontarLista("9");
  EXPECT_EQ(TagColumn(3), QStringList({"A00001", "A00002", ""}));
}

TEST_F(StackTagsTest, PortThatDoesNotOpen) {
  PushTags(1);
  form.cbSER->setCurrentIndex(kMissingPort - 1);
  emit form.cbSER->activated(kMissingPort - 1);
  form.Button18->click();
  form.Button39->click();
  EXPECT_EQ(messages.shown, std::vector<QString>(2, "Erro ao abrir a serial!!"));
  EXPECT_TRUE(line.emulator.Requests().empty());
  EXPECT_EQ(form.Edit1->text(), "000000");
}

}  // namespace
}  // namespace zm48d::testing
