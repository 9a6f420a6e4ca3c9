// "Grupos": insert a group, save and open the groups file.
#include <optional>

#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>

#include "app/editor_files.h"
#include "app/form1.h"
#include "app/masked_edit.h"
#include "app/string_grid.h"

namespace zm48d {

namespace {

constexpr int kGroupNumberDigits = 2;
constexpr int kHolidayFlagColumn = 15;

}  // namespace

// The group number is the row it goes into, so a row emptied by the operator is
// found again here and gets its own number back. The pairs are filled Monday first,
// each under its own day's header: the file keeps them in column order, and the
// controller's group table takes them in that order.
void TForm1::Button6Click() {
  const std::optional<int> found = RowToInsert(*sgGRUPO, messages_);
  if (!found) return;
  const int row = *found;
  SetCellText(*sgGRUPO, row, 0, ZeroPadded(row, kGroupNumberDigits));
  int column = 1;
  for (const MaskedEdit* time : {meSEG1, meSEG2, meTER1, meTER2, meQUA1, meQUA2, meQUI1, meQUI2,
                                 meSEX1, meSEX2, meSAB1, meSAB2, meDOM1, meDOM2}) {
    SetCellText(*sgGRUPO, row, column++, time->MaskedText());
  }
  SetCellText(*sgGRUPO, row, kHolidayFlagColumn,
              cbFER->isChecked() ? QStringLiteral("Sim") : QStringLiteral("Não"));
}

// "Excluir" is hidden and does nothing.
void TForm1::Button7Click() {}

void TForm1::Button9Click() {
  LoadGridFile(
      odARQ, *sgGRUPO, GroupsFileLayout(), [this] { Button8Click(); }, messages_);
}

void TForm1::Button10Click() { SaveGridFile(sdARQ, *sgGRUPO, GroupsFileLayout()); }

}  // namespace zm48d
