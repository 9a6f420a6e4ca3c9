#include "app/string_grid.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

#include <QBrush>
#include <QHeaderView>
#include <QPalette>
#include <QStyle>

namespace zm48d {

namespace {

// Room beside a header text for the section's frame and margins.
constexpr int kHeaderTextPadding = 10;
constexpr char kGivenWidths[] = "zm48dGivenWidths";

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
  QList<QVariant> given;
  int column = 0;
  for (int width : widths) {
    grid.setColumnWidth(column++, width);
    given.push_back(width);
  }
  grid.setProperty(kGivenWidths, given);
}

// The room the columns of a grid of fixed width have beside its frame and its
// vertical scroll bar; nothing for a grid that may grow.
int FixedRoom(const QTableWidget& grid) {
  if (grid.minimumWidth() != grid.maximumWidth()) return 0;
  const int scrollBar = grid.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                            ? 0
                            : grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  return grid.width() - 2 * grid.frameWidth() - scrollBar;
}

// The header shows row 0: its texts, and each column at least as wide as its
// header text needs in the font the header actually uses. A grid of fixed width
// takes what that adds from its widest column, the free-text one.
void ShowFixedRow(QTableWidget& grid) {
  const QList<QVariant> given = grid.property(kGivenWidths).toList();
  const QFontMetrics metrics(grid.horizontalHeader()->font());
  QStringList labels;
  std::vector<int> needed;
  std::vector<int> widths;
  for (int column = 0; column < grid.columnCount(); ++column) {
    const QString text = CellText(grid, 0, column);
    labels.push_back(text);
    needed.push_back(metrics.horizontalAdvance(text) + kHeaderTextPadding);
    const int wanted = column < given.size() ? given[column].toInt() : grid.columnWidth(column);
    widths.push_back(std::max(wanted, needed.back()));
  }
  const int room = FixedRoom(grid);
  const int total = std::accumulate(widths.begin(), widths.end(), 0);
  if (room > 0 && total > room && !widths.empty()) {
    const auto widest = std::max_element(widths.begin(), widths.end()) - widths.begin();
    widths[widest] = std::max(needed[widest], widths[widest] - (total - room));
  }
  for (int column = 0; column < grid.columnCount(); ++column) {
    grid.setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
  }
  grid.setHorizontalHeaderLabels(labels);
}

// Row 0 stays in the table (the handlers read and write it like any row) but is
// drawn by the horizontal header, so it stays in view when the grid scrolls.
void FixRowZero(QTableWidget& grid) {
  QHeaderView* header = grid.horizontalHeader();
  header->setSectionsClickable(false);
  header->setHighlightSections(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setFixedHeight(kGridRowHeight + 2);
  grid.setRowHidden(0, true);
  QObject::connect(grid.model(), &QAbstractItemModel::dataChanged, &grid,
                   [&grid](const QModelIndex& topLeft, const QModelIndex&) {
                     if (topLeft.row() == 0) ShowFixedRow(grid);
                   });
  // A new row count (the event grid's) may bring row 0 back into view.
  QObject::connect(grid.model(), &QAbstractItemModel::rowsInserted, &grid,
                   [&grid] { grid.setRowHidden(0, true); });
  ShowFixedRow(grid);
}

}  // namespace

QTableWidget* NewStringGrid(QWidget* parent, const char* name, const StringGridShape& shape) {
  auto* grid = new QTableWidget(shape.rows, shape.columns, parent);
  grid->setObjectName(QString::fromLatin1(name));
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
  FixRowZero(*grid);
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
