// "Cadastro": insert a tag, save and open the tag list file, and take tag numbers
// from the controller's event stack ("Último", "Montar lista ...").
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>

#include "app/editor_files.h"
#include "app/form1.h"
#include "app/string_grid.h"
#include "files/runtime_errors.h"
#include "operations/operator_texts.h"
#include "operations/stack_tags.h"
#include "protocol/hex_text.h"

namespace zm48d {

namespace {

constexpr int kGroupDigits = 3;
constexpr int kPortsColumn = 2;
constexpr int kGroupColumn = 3;

// Bit 0 "Porta 1" .. bit 3 "Porta 4".
std::uint8_t EnabledPortsMask(const TForm1& form) {
  std::uint8_t mask = 0;
  std::uint8_t bit = 1;
  for (const QCheckBox* port : {form.cbP1, form.cbP2, form.cbP3, form.cbP4}) {
    if (port->isChecked()) mask |= bit;
    bit = static_cast<std::uint8_t>(bit << 1);
  }
  return mask;
}

}  // namespace

// The group is converted last: a group that is not a whole number ends the handler
// with the runtime's error after the tag, description and doors were written, so
// the row is taken but has no group.
void TForm1::Button19Click() {
  const std::optional<int> found = RowToInsert(*sgLISTA, messages_);
  if (!found) return;
  const int row = *found;
  SetCellText(*sgLISTA, row, 0, Edit1->text());
  SetCellText(*sgLISTA, row, 1, Edit2->text());
  SetCellText(*sgLISTA, row, kPortsColumn,
              QString::fromStdString(HexByte(EnabledPortsMask(*this))));
  const int group = StrToInt(Edit11->text().toStdString());
  SetCellText(*sgLISTA, row, kGroupColumn, ZeroPadded(group, kGroupDigits));
}

void TForm1::Button23Click() {
  LoadGridFile(
      odARQ, *sgLISTA, TagListFileLayout(), [this] { Button21Click(); }, messages_);
}

void TForm1::Button24Click() { SaveGridFile(sdARQ, *sgLISTA, TagListFileLayout()); }

// "Último": the tag of the newest event goes into Edit1, for the operator to
// complete and insert. A failed header read says nothing.
void TForm1::Button18Click() {
  ops::TakeNewestTag(
      Session(), [this](const std::string& tag) { Edit1->setText(QString::fromStdString(tag)); });
}

// "Montar lista com os últimos "x" tags lidos": the grid receives the tags of the
// x oldest waiting events in stack order (all of them when x is not below their
// number), one per row with the other columns empty. x is read only once the
// header has been read.
void TForm1::Button39Click() {
  ops::TakeOldestTags(
      Session(), [this] { return StrToInt(Edit17->text().toStdString()); },
      [this](const std::vector<std::string>& tags) {
        Button21Click();
        int row = kGridFixedRows;
        for (const std::string& tag : tags)
          SetCellText(*sgLISTA, row++, 0, QString::fromStdString(tag));
      });
}

}  // namespace zm48d
