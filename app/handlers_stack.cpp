// "Pilha": event download into the grid, and the two hidden test buttons (the
// events saved to a fixed file, the default configuration).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QFile>
#include <QLabel>
#include <QTableWidget>

#include "app/form1.h"
#include "app/string_grid.h"
#include "operations/default_configuration.h"
#include "operations/event_download.h"
#include "operations/operator_texts.h"
#include "protocol/event_record.h"

namespace zm48d {

namespace {

// Header row, then one decoded record per row; `records` holds whole records.
void FillEventGrid(QTableWidget& grid, std::span<const std::uint8_t> records) {
  const int count = WaitingRecords(static_cast<int>(records.size()));
  grid.setRowCount(count + kGridFixedRows);
  for (int column = 0; column < static_cast<int>(kEventGridHeaders.size()); ++column) {
    const std::string_view header = kEventGridHeaders[static_cast<size_t>(column)];
    SetCellText(grid, 0, column, FromUtf8(header));
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
// second press shows the same records again.
void TForm1::Button34Click() {
  ops::ReadWaitingEventsInto(Session(), [this](const std::vector<std::uint8_t>& records) {
    const int count = WaitingRecords(static_cast<int>(records.size()));
    Label23->setText(FromUtf8(text::kRecordCountCaption) + QString::number(count));
    LIMPA_stGRID(sgPIL);
    FillEventGrid(*sgPIL, records);
  });
}

// Saves the stack as EventLines and empties it; the controller is told its
// memory changed. No message when the port does not open.
void TForm1::Button40Click() {
  const std::string path = EventFileName.isEmpty() ? ops::DefaultEventFilePath()
                                                   : QFile::encodeName(EventFileName).toStdString();
  ops::SaveAndClearEvents(Session(), path);
}

// Relay times 1500 ms and reader timeouts 2 s, then the memory notice.
void TForm1::Button41Click() { ops::RestoreDefaultConfiguration(Session()); }

}  // namespace zm48d
