#include "app/string_grid.h"

#include <QBrush>
#include <QHeaderView>
#include <QPalette>

namespace zm48d {

namespace {

QTableWidgetItem* NewFixedCell(const QTableWidget& grid) {
  auto* item = new QTableWidgetItem;
  item->setFlags(Qt::ItemIsEnabled);
  item->setBackground(grid.palette().brush(QPalette::Button));
  return item;
}

void AddFixedRow(QTableWidget& grid) {
  for (int column = 0; column < grid.columnCount(); ++column) {
    grid.setItem(0, column, NewFixedCell(grid));
  }
}

void SetColumnWidths(QTableWidget& grid, std::initializer_list<int> widths) {
  int column = 0;
  for (int width : widths) grid.setColumnWidth(column++, width);
}

}  // namespace

QTableWidget* NewStringGrid(QWidget* parent, const char* name, const StringGridShape& shape) {
  auto* grid = new QTableWidget(shape.rows, shape.columns, parent);
  grid->setObjectName(QString::fromLatin1(name));
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
  grid->horizontalHeader()->setDefaultSectionSize(64);
  grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid->setShowGrid(true);
  grid->setWordWrap(false);
  if (!shape.editable) grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SetColumnWidths(*grid, shape.columnWidths);
  AddFixedRow(*grid);
  return grid;
}

QString CellText(const QTableWidget& grid, int row, int column) {
  const QTableWidgetItem* item = grid.item(row, column);
  return item ? item->text() : QString();
}

void SetCellText(QTableWidget& grid, int row, int column, const QString& text) {
  if (row < 0 || row >= grid.rowCount() || column < 0 || column >= grid.columnCount()) return;
  if (QTableWidgetItem* item = grid.item(row, column)) {
    item->setText(text);
  } else if (!text.isEmpty()) {
    grid.setItem(row, column, new QTableWidgetItem(text));
  }
}

}  // namespace zm48d
