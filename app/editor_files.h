#pragma once
// The editors' grids and their text files. Each editor's file is a header line, a
// count line and one data line per grid row whose column 0 is filled; a layout
// says which cells a data line is made of and where each cell is read back from.
// The files are Windows-1252 bytes; the grids hold QString.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

class QTableWidget;

namespace zm48d {

class MessageSink;
class SharedFileDialog;

// Where one cell is read from in a data line: `width` bytes from the 1-based
// position `pos`, or the rest of the line when `width` is 0.
struct CellField {
  int column;
  int pos;
  int width;
};

struct GridFileLayout {
  std::string_view header;
  std::vector<int> lineColumns;   // the cells of a data line in line order, "*" between them
  std::vector<CellField> fields;  // where each cell is read from
};

const GridFileLayout& GroupsFileLayout();
const GridFileLayout& HolidaysFileLayout();
const GridFileLayout& TagListFileLayout();

// The row "Inserir" fills: the first, from row 0 on, whose columns 0 and 1 are
// both empty; when there is none, nothing, after "Limite atingido!!".
std::optional<int> RowToInsert(const QTableWidget& grid, MessageSink& messages);

// A row number or group number as "%.2D" / "%.3D" print it: at least `digits`
// digits, zero-padded, with a minus sign in front of a negative number.
QString ZeroPadded(int value, int digits);

// Header, count and data lines of the grid's file, as file bytes. Rows whose
// column 0 is empty are left out; cells are written as they stand.
std::vector<std::string> GridFileLines(const QTableWidget& grid, const GridFileLayout& layout);

// Fills the cells of `row` from one data line (file bytes), field by field.
void FillGridRow(QTableWidget& grid, int row, std::string_view line, const GridFileLayout& layout);

// Shown instead of loading a file that has more data lines than the grid has rows.
QString TooManyLinesText(int dataRows);

// "Salvar Arquivo": asks `dialog` for a name and writes the grid's file there,
// replacing a file of that name only once the new one is complete. Nothing
// happens when the dialog is cancelled; a file that cannot be written throws the
// runtime's "Cannot create file" error.
void SaveGridFile(SharedFileDialog& dialog, const QTableWidget& grid, const GridFileLayout& layout);

// "Abrir Arquivo": asks `dialog` for a name and reads that file into the grid.
// A wrong header ("Arquivo incompatível!!") or too many data lines leaves the grid
// as it was; otherwise `novo` empties it and line i + 2 goes into row i. The
// runtime's errors end the reading: a missing line (after `novo` ran, keeping the
// rows read so far), a count that is not a whole number (before), a file that
// cannot be opened.
void LoadGridFile(SharedFileDialog& dialog, QTableWidget& grid, const GridFileLayout& layout,
                  const std::function<void()>& novo, MessageSink& messages);

}  // namespace zm48d
