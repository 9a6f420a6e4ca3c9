// "Pilha": event download into the grid, and the two hidden test buttons (the
// events saved to a fixed file, the default configuration).
#include <span>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTableWidget>

#include "app/form1.h"
#include "app/string_grid.h"
#include "protocol/config_block.h"
#include "protocol/cp1252.h"
#include "protocol/event_stack.h"
#include "protocol/line_file.h"
#include "protocol/memory.h"

namespace zm48d {

namespace {

const QString kOpenFailed = QStringLiteral("Erro ao abrir a serial!!");
const QString kNoRecords = QStringLiteral("Não existem registros a serem lidos!!");
const QString kReadFailed = QStringLiteral("Não foi possível ler os dados da eeprom!!");
const QString kDone = QStringLiteral("Operação concluída!!");
const QString kError = QStringLiteral("Erro!!");
const QString kCountCaption = QStringLiteral("Total de registros lidos: ");

constexpr std::array<std::uint32_t, 4> kDefaultRelayTimesMs = {1500, 1500, 1500, 1500};
constexpr std::array<std::uint8_t, 4> kDefaultReaderTimeouts = {2, 2, 2, 2};

// The test file of the hidden Button40: fixed on Windows, in the home folder
// elsewhere (a root folder is seldom writable there).
QString DefaultEventFileName() {
#ifdef _WIN32
  return QStringLiteral("C:\\TESTEZM48D.TXT");
#else
  return QDir::home().filePath(QStringLiteral("TESTEZM48D.TXT"));
#endif
}

// Header row, then one decoded record per row; `records` holds whole records.
void FillEventGrid(QTableWidget& grid, std::span<const std::uint8_t> records) {
  const int count = WaitingRecords(static_cast<int>(records.size()));
  grid.setRowCount(count + kGridFixedRows);
  for (int column = 0; column < static_cast<int>(EventGridHeaders.size()); ++column) {
    const std::string_view header = EventGridHeaders[static_cast<size_t>(column)];
    SetCellText(grid, 0, column, QString::fromUtf8(header.data(), static_cast<int>(header.size())));
  }
  for (int k = 0; k < count; ++k) {
    const auto cells = EventGridCells(records.data() + k * EventRecordSize);
    for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
      SetCellText(grid, k + kGridFixedRows, column,
                  QString::fromStdString(cells[static_cast<size_t>(column)]));
    }
  }
}

}  // namespace

// Reads the stack without clearing it and without the download bracket, so a
// second press shows the same records again. A header whose top lies below its
// start (a wrapped or damaged stack) is reported like a failed record read.
void TForm1::Button34Click() {
  if (!OpenPort(kOpenFailed)) return;
  PortCloser closer(link_.serial);
  std::vector<std::uint8_t> records;
  switch (ReadWaitingRecords(link_, records)) {
    case StackReadOutcome::kHeaderFailed:
      return;
    case StackReadOutcome::kEmpty:
      messages_.Show(kNoRecords);
      return;
    case StackReadOutcome::kDamaged:
    case StackReadOutcome::kRecordsFailed:
      messages_.Show(kReadFailed);
      return;
    case StackReadOutcome::kRead:
      break;
  }
  Label23->setText(kCountCaption + QString::number(WaitingRecords(static_cast<int>(records.size()))));
  LIMPA_stGRID(sgPIL);
  FillEventGrid(*sgPIL, records);
}

// Saves the stack as EventLines (Windows-1252, CR LF) and empties it; the
// controller is told its memory changed. No message when the port does not open.
void TForm1::Button40Click() {
  if (!OpenPort(QString())) return;
  PortCloser closer(link_.serial);
  std::vector<std::string> lines;
  if (!DownloadEvents(link_, /*clearAfter=*/true, /*bracket=*/true, lines)) {
    messages_.Show(kError);
    return;
  }
  for (std::string& line : lines) line = Utf8ToCp1252(line);
  const QString name = EventFileName.isEmpty() ? DefaultEventFileName() : EventFileName;
  SaveLinesAtomically(QFile::encodeName(name).toStdString(), lines);
  messages_.Show(kDone);
}

// Relay times 1500 ms and reader timeouts 2 s, then the memory notice.
void TForm1::Button41Click() {
  if (!OpenPort(QString())) return;
  PortCloser closer(link_.serial);
  const bool ok = WriteDefaultConfiguration(link_, kDefaultRelayTimesMs, kDefaultReaderTimeouts);
  messages_.Show(ok ? kDone : kError);
}

}  // namespace zm48d
