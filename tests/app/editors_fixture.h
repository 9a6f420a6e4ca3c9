#pragma once
// The editor pages after start-up, with a scratch folder for their files and
// helpers to type into a grid, read a row back and answer the file dialogs.
#include <string>
#include <vector>

#include <QPushButton>
#include <QStringList>
#include <QTableWidget>

#include "app/string_grid.h"
#include "tests/app/form_fixture.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {

class EditorTest : public FormTest {
 protected:
  void SetUp() override { form.FormActivate(); }

  static void Type(QTableWidget& grid, int row, int column, const QString& text) {
    grid.setItem(row, column, new QTableWidgetItem(text));
  }
  static void TypeRow(QTableWidget& grid, int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c) Type(grid, row, c, cells[c]);
  }
  static QStringList Row(const QTableWidget& grid, int row) {
    QStringList cells;
    for (int c = 0; c < grid.columnCount(); ++c) cells << CellText(grid, row, c);
    return cells;
  }
  static QStringList EmptyRow(const QTableWidget& grid) {
    QStringList cells;
    for (int c = 0; c < grid.columnCount(); ++c) cells << QString();
    return cells;
  }
  // Every row of the grid, so that "unchanged" can be checked whole.
  static std::vector<QStringList> Rows(const QTableWidget& grid) {
    std::vector<QStringList> rows;
    for (int r = 0; r < grid.rowCount(); ++r) rows.push_back(Row(grid, r));
    return rows;
  }

  // Clicks `button` with the next file dialog answered by `path`.
  void ClickWithFile(QPushButton* button, const std::string& path) {
    dialogs.answers.push_back(QString::fromStdString(path));
    button->click();
  }

  TempDir dir;
};

}  // namespace zm48d::testing
