// The editors' "Novo": an empty grid with its header row. Also run at start-up and
// before every file is loaded into an editor.
#include <initializer_list>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTableWidget>

#include "app/form1.h"
#include "app/groups_header.h"
#include "app/masked_edit.h"
#include "app/string_grid.h"

namespace zm48d {

namespace {

void WriteHeaderRow(QTableWidget& grid, std::initializer_list<const char*> captions) {
  int column = 0;
  for (const char* caption : captions) SetCellText(grid, 0, column++, QString::fromUtf8(caption));
}

}  // namespace

// Only cells that hold an item can hold text, so emptying those empties the grid.
void TForm1::LIMPA_stGRID(QTableWidget* grid) {
  for (int row = kGridFixedRows; row < grid->rowCount(); ++row) {
    for (int column = 0; column < grid->columnCount(); ++column) {
      if (QTableWidgetItem* item = grid->item(row, column)) item->setText(QString());
    }
  }
  QCoreApplication::processEvents();
}

// The day pairs are Monday first, as the controller and the files keep them
// and as "Inserir" fills them.
void TForm1::Button8Click() {
  LIMPA_stGRID(sgGRUPO);
  const QStringList header = GroupsHeaderRow();
  for (int column = 0; column < header.size(); ++column) {
    SetCellText(*sgGRUPO, 0, column, header[column]);
  }
  for (MaskedEdit* end : {meSEG2, meTER2, meQUA2, meQUI2, meSEX2, meSAB2, meDOM2}) {
    end->setText(QStringLiteral("23:59"));
  }
}

void TForm1::Button13Click() {
  LIMPA_stGRID(sgFER);
  WriteHeaderRow(*sgFER, {"Data", "Descrição do Feriado"});
}

void TForm1::Button21Click() {
  LIMPA_stGRID(sgLISTA);
  Edit1->setText(QStringLiteral("000000"));
  Edit2->setText(QString());
  WriteHeaderRow(*sgLISTA, {"Tag", "Descrição", "P. Habilitadas", "Grupo"});
}

}  // namespace zm48d
