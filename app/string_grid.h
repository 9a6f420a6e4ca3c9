#pragma once
// The window's string grids on QTableWidget. Row 0 is the grid's fixed header
// row: an ordinary row of the table, which the handlers write the header texts
// into and which cannot be edited or selected, shown by the table's horizontal
// header so that it stays in view when the grid scrolls. Columns widen where
// their header text needs it. There is no fixed column.
#include <initializer_list>

#include <QString>
#include <QTableWidget>

namespace zm48d {

inline constexpr int kGridFixedRows = 1;
inline constexpr int kGridRowHeight = 18;

struct StringGridShape {
  int columns = 0;
  int rows = 0;
  std::initializer_list<int> columnWidths;
  bool editable = false;  // data cells take typing (the editors), or not (the event grid)
};

QTableWidget* NewStringGrid(QWidget* parent, const char* name, const StringGridShape& shape);

// Cell texts; an empty cell reads "". Rows and columns count from 0.
QString CellText(const QTableWidget& grid, int row, int column);
void SetCellText(QTableWidget& grid, int row, int column, const QString& text);

}  // namespace zm48d
