#include "app/editor_files.h"

#include <cstddef>
#include <optional>

#include <QTableWidget>

#include "app/file_dialogs.h"
#include "app/file_paths.h"
#include "app/message_sink.h"
#include "app/string_grid.h"
#include "files/cp1252.h"
#include "files/file_formats.h"
#include "files/runtime_errors.h"
#include "operations/operator_texts.h"

namespace zm48d {

namespace {

constexpr int kToEndOfLine = 0;

std::string CellBytes(const QTableWidget& grid, int row, int column) {
  return Utf8ToCp1252(CellText(grid, row, column).toStdString());
}

QString TextOfBytes(std::string_view bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

std::string DataLine(const QTableWidget& grid, int row, const GridFileLayout& layout) {
  std::string line;
  for (std::size_t i = 0; i < layout.lineColumns.size(); ++i) {
    if (i > 0) line += kFieldSeparator;
    line += CellBytes(grid, row, layout.lineColumns[i]);
  }
  return line;
}

// Every group line: number, the fourteen times Monday first, the holiday flag.
GridFileLayout MakeGroupsLayout() {
  GridFileLayout layout{kGroupsHeader, {}, {}};
  const int columns = 2 + group_line::kTimeCount;
  for (int column = 0; column < columns; ++column) layout.lineColumns.push_back(column);
  layout.fields.push_back({0, group_line::kNumber.pos, group_line::kNumber.width});
  for (int k = 1; k <= group_line::kTimeCount; ++k) {
    layout.fields.push_back({k, group_line::Time(k).pos, group_line::Time(k).width});
  }
  layout.fields.push_back(
      {columns - 1, group_line::kHolidayFlag.pos, group_line::kHolidayFlag.width});
  return layout;
}

// The count line alone says how many data lines are read; lines after them are
// ignored. A count the grid cannot hold refuses the file before "Novo" runs, so
// the grid is never left holding part of it.
void LoadGridLines(const LineList& lines, QTableWidget& grid, const GridFileLayout& layout,
                   const std::function<void()>& novo, MessageSink& messages) {
  if (lines.at(kHeaderLineIndex) != layout.header) {
    messages.Show(FromUtf8(text::kIncompatibleFile));
    return;
  }
  // Converted first, so that the error box quotes the line as the operator reads it.
  const int count = StrToInt(Cp1252ToUtf8(lines.at(kCountLineIndex)));
  const int dataRows = grid.rowCount() - kGridFixedRows;
  if (count > dataRows) {
    messages.Show(TooManyLinesText(dataRows));
    return;
  }
  novo();
  for (int i = 1; i <= count; ++i) {
    FillGridRow(grid, i, lines.at(kFirstDataLineIndex + i - 1), layout);
  }
}

}  // namespace

const GridFileLayout& GroupsFileLayout() {
  static const GridFileLayout layout = MakeGroupsLayout();
  return layout;
}

const GridFileLayout& HolidaysFileLayout() {
  static const GridFileLayout layout{kHolidaysHeader,
                                     {0, 1},
                                     {{0, holiday_line::kDate.pos, holiday_line::kDate.width},
                                      {1, holiday_line::kDescriptionPos, kToEndOfLine}}};
  return layout;
}

// The grid shows Tag, Descrição, P. Habilitadas, Grupo; the line keeps the
// description last, since it is the one field of any length.
const GridFileLayout& TagListFileLayout() {
  static const GridFileLayout layout{kTagListHeader,
                                     {0, 2, 3, 1},
                                     {{0, tag_line::kTag.pos, tag_line::kTag.width},
                                      {2, tag_line::kPorts.pos, tag_line::kPorts.width},
                                      {3, tag_line::kGroup.pos, tag_line::kGroup.width},
                                      {1, tag_line::kDescriptionPos, kToEndOfLine}}};
  return layout;
}

std::optional<int> RowToInsert(const QTableWidget& grid, MessageSink& messages) {
  for (int row = 0; row < grid.rowCount(); ++row) {
    if (CellText(grid, row, 0).isEmpty() && CellText(grid, row, 1).isEmpty()) return row;
  }
  messages.Show(FromUtf8(text::kGridFull));
  return std::nullopt;
}

QString ZeroPadded(int value, int digits) {
  const long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
  const QString padded = QStringLiteral("%1").arg(magnitude, digits, 10, QLatin1Char('0'));
  return value < 0 ? QLatin1Char('-') + padded : padded;
}

std::vector<std::string> GridFileLines(const QTableWidget& grid, const GridFileLayout& layout) {
  std::vector<std::string> lines{std::string(layout.header), std::string()};
  for (int row = kGridFixedRows; row < grid.rowCount(); ++row) {
    if (!CellText(grid, row, 0).isEmpty()) lines.push_back(DataLine(grid, row, layout));
  }
  lines[kCountLineIndex] = std::to_string(lines.size() - kFirstDataLineIndex);
  return lines;
}

void FillGridRow(QTableWidget& grid, int row, std::string_view line, const GridFileLayout& layout) {
  for (const CellField& field : layout.fields) {
    const std::string_view bytes = field.width == kToEndOfLine
                                       ? FieldToEnd(line, field.pos)
                                       : Field(line, field.pos, field.width);
    SetCellText(grid, row, field.column, TextOfBytes(bytes));
  }
}

QString TooManyLinesText(int dataRows) {
  return FromUtf8(text::kTooManyLinesBefore) + QString::number(dataRows) +
         FromUtf8(text::kTooManyLinesAfter);
}

void SaveGridFile(SharedFileDialog& dialog, const QTableWidget& grid,
                  const GridFileLayout& layout) {
  if (!dialog.Execute()) return;
  SaveLinesAtomically(FilePathBytes(dialog.FileName()), GridFileLines(grid, layout));
}

void LoadGridFile(SharedFileDialog& dialog, QTableWidget& grid, const GridFileLayout& layout,
                  const std::function<void()>& novo, MessageSink& messages) {
  if (!dialog.Execute()) return;
  const std::string path = FilePathBytes(dialog.FileName());
  const LineList lines = LoadLines(path);
  ReadingFile(path, [&] { LoadGridLines(lines, grid, layout, novo, messages); });
}

}  // namespace zm48d
