#include "app/history_window.h"

#include <fstream>
#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/access_chart.h"
#include "app/access_counts.h"
#include "app/close_keys.h"
#include "app/file_paths.h"
#include "app/window_geometry.h"
#include "operations/history_table.h"
#include "operations/operator_texts.h"
#include "protocol/tag_read.h"

namespace zm48d {

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yy");

QStringList Texts(const ops::HistoryCells& cells) {
  QStringList texts;
  for (const std::string& cell : cells) texts << FromUtf8(cell);
  return texts;
}

QDateEdit* NewDateEdit(QWidget* parent) {
  auto* edit = new QDateEdit(QDate::currentDate(), parent);
  edit->setDisplayFormat(kDateFormat);
  edit->setCalendarPopup(true);
  edit->setEnabled(false);
  return edit;
}

// The store keeps days as YYYY-MM-DD.
std::optional<std::string> StoreDay(const QCheckBox& used, const QDateEdit& edit) {
  if (!used.isChecked()) return std::nullopt;
  return edit.date().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

QStringList HourNames() {
  QStringList hours;
  for (int hour = 0; hour < 24; ++hour) {
    hours << QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0'));
  }
  return hours;
}

QStringList DoorNames() {
  QStringList doors;
  for (int door = 1; door <= kChartDoors; ++door) doors << QStringLiteral("Porta %1").arg(door);
  return doors;
}

QStringList DoorNumbers() {
  QStringList doors;
  for (int door = 1; door <= kChartDoors; ++door) doors << QString::number(door);
  return doors;
}

}  // namespace

HistoryWindow::HistoryWindow(MessageSink& messages, FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      messages_(messages),
      sdCSV_(dialogs, SharedFileDialog::Kind::kSave) {
  setObjectName(QStringLiteral("fmHISTORICO"));
  setWindowTitle(QStringLiteral("Histórico"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildFilters());
  layout->addWidget(BuildData(), 1);
  auto* buttons = new QHBoxLayout;
  btCOPIAR = new QPushButton(QStringLiteral("Copiar"), this);
  btEXPORTAR = new QPushButton(QStringLiteral("Exportar CSV..."), this);
  buttons->addWidget(btCOPIAR);
  buttons->addWidget(btEXPORTAR);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(btFILTRAR, &QPushButton::clicked, this, [this] { btFILTRARClick(); });
  connect(btCOPIAR, &QPushButton::clicked, this, [this] { btCOPIARClick(); });
  connect(btEXPORTAR, &QPushButton::clicked, this, [this] { btEXPORTARClick(); });
  resize(1000, 720);
  FitIntoScreenWhenShown(*this);
  CloseWithKeys(*this);
}

QWidget* HistoryWindow::BuildFilters() {
  auto* filters = new QWidget(this);
  auto* grid = new QGridLayout(filters);
  grid->setContentsMargins(0, 0, 0, 0);
  edCONTROLADOR = new QLineEdit(filters);
  edCONTROLADOR->setPlaceholderText(QStringLiteral("todos"));
  edTAG = new QLineEdit(filters);
  edTAG->setPlaceholderText(QStringLiteral("todos"));
  edTAG->setMaxLength(6);
  cbDE = new QCheckBox(QStringLiteral("De"), filters);
  deDE = NewDateEdit(filters);
  cbATE = new QCheckBox(QStringLiteral("Até"), filters);
  deATE = NewDateEdit(filters);
  connect(cbDE, &QCheckBox::toggled, deDE, &QWidget::setEnabled);
  connect(cbATE, &QCheckBox::toggled, deATE, &QWidget::setEnabled);
  cbPORTA = new QComboBox(filters);
  cbPORTA->addItem(QStringLiteral("Todas"));
  cbPORTA->addItems(DoorNames());
  cbNEGADOS = new QCheckBox(QStringLiteral("Somente negados"), filters);
  btFILTRAR = new QPushButton(QStringLiteral("Filtrar"), filters);
  btFILTRAR->setDefault(true);
  grid->addWidget(new QLabel(QStringLiteral("Controlador"), filters), 0, 0);
  grid->addWidget(edCONTROLADOR, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("TAG"), filters), 0, 2);
  grid->addWidget(edTAG, 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("Porta"), filters), 0, 4);
  grid->addWidget(cbPORTA, 0, 5);
  grid->addWidget(cbDE, 1, 0);
  grid->addWidget(deDE, 1, 1);
  grid->addWidget(cbATE, 1, 2);
  grid->addWidget(deATE, 1, 3);
  grid->addWidget(cbNEGADOS, 1, 4, 1, 2);
  grid->addWidget(btFILTRAR, 0, 6, 2, 1);
  grid->setColumnStretch(7, 1);
  return filters;
}

QWidget* HistoryWindow::BuildData() {
  pnDADOS = new QStackedWidget(this);
  auto* split = new QSplitter(Qt::Vertical, pnDADOS);
  const QStringList header = Texts(ops::HistoryHeader());
  sgHISTORICO = new QTableWidget(0, static_cast<int>(header.size()), split);
  sgHISTORICO->setObjectName(QStringLiteral("sgHISTORICO"));
  sgHISTORICO->setHorizontalHeaderLabels(header);
  sgHISTORICO->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgHISTORICO->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgHISTORICO->verticalHeader()->hide();
  sgHISTORICO->verticalHeader()->setDefaultSectionSize(sgHISTORICO->fontMetrics().height() + 6);
  sgHISTORICO->horizontalHeader()->setStretchLastSection(true);
  sgHISTORICO->setSortingEnabled(true);
  // Oldest first, as the store gives them, until the operator picks a column.
  sgHISTORICO->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  auto* charts = new QWidget(split);
  auto* chartRow = new QHBoxLayout(charts);
  chartRow->setContentsMargins(0, 0, 0, 0);
  chHORA = new AccessChart(QStringLiteral("Acessos por hora"), QStringLiteral("Hora"), HourNames(),
                           charts);
  chPORTA = new AccessChart(QStringLiteral("Acessos por porta"), QStringLiteral("Porta"),
                            DoorNumbers(), charts);
  chartRow->addWidget(chHORA, 3);
  chartRow->addWidget(chPORTA, 1);
  split->addWidget(sgHISTORICO);
  split->addWidget(charts);
  lbBANCO = new QLabel(pnDADOS);
  lbBANCO->setObjectName(QStringLiteral("lbBANCO"));
  lbBANCO->setWordWrap(true);
  lbBANCO->setAlignment(Qt::AlignCenter);
  pnDADOS->addWidget(split);
  pnDADOS->addWidget(lbBANCO);
  return pnDADOS;
}

std::optional<store::HistoryFilter> HistoryWindow::Filter() {
  store::HistoryFilter filter;
  const QString controller = edCONTROLADOR->text().trimmed();
  if (!controller.isEmpty()) filter.controller = controller.toStdString();
  const QString tag = edTAG->text().trimmed();
  if (!tag.isEmpty()) {
    filter.tag = tag.size() == 6 ? ParseTagNumber(tag.toStdString()) : std::nullopt;
    if (!filter.tag) {
      messages_.Show(FromUtf8(text::kHistoryBadTag));
      return std::nullopt;
    }
  }
  filter.from = StoreDay(*cbDE, *deDE);
  filter.to = StoreDay(*cbATE, *deATE);
  if (cbPORTA->currentIndex() > 0) filter.door = cbPORTA->currentIndex();
  filter.refusedOnly = cbNEGADOS->isChecked();
  return filter;
}

// A store that cannot be opened or asked is said in the window, where the table was.
void HistoryWindow::btFILTRARClick() {
  const auto filter = Filter();
  if (!filter) return;
  const std::string location = store::DefaultStoreLocation();
  auto opened = store::OpenEventStore(location);
  if (!opened.ok()) return ShowStoreFailure(location + ": " + opened.error());
  auto events = opened.value()->Query(*filter);
  if (!events.ok()) return ShowStoreFailure(location + ": " + events.error());
  ShowEvents(std::move(events.value()));
}

void HistoryWindow::ShowStoreFailure(const std::string& reason) {
  lbBANCO->setText(FromUtf8(std::string(text::kStoreNotOpened) + reason));
  pnDADOS->setCurrentWidget(lbBANCO);
}

void HistoryWindow::ShowEvents(std::vector<store::StoredEvent> events) {
  events_ = std::move(events);
  // Filled unsorted, so that each row lands where it is put; sorted after.
  sgHISTORICO->setSortingEnabled(false);
  sgHISTORICO->clearContents();
  sgHISTORICO->setRowCount(static_cast<int>(events_.size()));
  for (int row = 0; row < sgHISTORICO->rowCount(); ++row) {
    const QStringList cells = Texts(ops::HistoryRow(events_[row]));
    for (int column = 0; column < cells.size(); ++column) {
      sgHISTORICO->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
  }
  sgHISTORICO->setSortingEnabled(true);
  sgHISTORICO->resizeColumnsToContents();
  const AccessCounts counts = CountAccesses(events_);
  chHORA->ShowCounts(counts.perHour);
  chPORTA->ShowCounts(counts.perDoor);
  pnDADOS->setCurrentWidget(pnDADOS->widget(0));
}

// The header, then the chosen rows (all when none is chosen) in the order shown.
void HistoryWindow::btCOPIARClick() {
  const QStringList header = Texts(ops::HistoryHeader());
  QStringList lines{header.join(QLatin1Char('\t'))};
  const bool chosen = sgHISTORICO->selectionModel()->hasSelection();
  for (int row = 0; row < sgHISTORICO->rowCount(); ++row) {
    if (chosen && !sgHISTORICO->selectionModel()->isRowSelected(row)) continue;
    QStringList cells;
    for (int column = 0; column < sgHISTORICO->columnCount(); ++column) {
      const QTableWidgetItem* item = sgHISTORICO->item(row, column);
      cells << (item ? item->text() : QString());
    }
    lines << cells.join(QLatin1Char('\t'));
  }
  QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

// What the filters chose, oldest first, as `zm48d history --csv` writes it.
void HistoryWindow::btEXPORTARClick() {
  if (!sdCSV_.Execute()) return;
  const std::string path = FilePathBytes(sdCSV_.FileName());
  std::ofstream out(path, std::ios::binary);
  ops::PrintHistory(out, events_, true);
  out.flush();
  if (!out) messages_.Show(FromUtf8(std::string(text::kHistoryNotExported) + path));
}

}  // namespace zm48d
