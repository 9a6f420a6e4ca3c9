#pragma once
// "Exibir" -> "Histórico": the events the harvests stored, filtered by
// controller, tag, days, door and refusals, in a sortable table, charted per
// hour of the day and per door, copied to the clipboard or exported as CSV the
// way `zm48d history --csv` writes it. It only reads the event store.
#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "app/file_dialogs.h"
#include "app/message_sink.h"
#include "store/event_store.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace zm48d {

class AccessChart;

class HistoryWindow final : public QWidget {
  Q_OBJECT

 public:
  HistoryWindow(MessageSink& messages, FileDialogs& dialogs, QWidget* parent);

  // "Filtrar": the store opened again and asked with the filters.
  void btFILTRARClick();
  void btCOPIARClick();
  void btEXPORTARClick();

  QLineEdit* edCONTROLADOR = nullptr;
  QLineEdit* edTAG = nullptr;
  QCheckBox* cbDE = nullptr;
  QDateEdit* deDE = nullptr;
  QCheckBox* cbATE = nullptr;
  QDateEdit* deATE = nullptr;
  QComboBox* cbPORTA = nullptr;  // "Todas", "Porta 1".."Porta 4"
  QCheckBox* cbNEGADOS = nullptr;
  QPushButton* btFILTRAR = nullptr;
  QPushButton* btCOPIAR = nullptr;
  QPushButton* btEXPORTAR = nullptr;
  QStackedWidget* pnDADOS = nullptr;  // the table and charts, or why the store did not open
  QTableWidget* sgHISTORICO = nullptr;
  QLabel* lbBANCO = nullptr;
  AccessChart* chHORA = nullptr;   // "Acessos por hora"
  AccessChart* chPORTA = nullptr;  // "Acessos por porta"

 private:
  QWidget* BuildFilters();
  QWidget* BuildData();
  // The filters as the store takes them; nothing, with a message, for a bad tag.
  std::optional<store::HistoryFilter> Filter();
  void ShowEvents(std::vector<store::StoredEvent> events);
  void ShowStoreFailure(const std::string& reason);

  MessageSink& messages_;
  SharedFileDialog sdCSV_;
  std::vector<store::StoredEvent> events_;  // what the table shows, in the store's order
};

}  // namespace zm48d
