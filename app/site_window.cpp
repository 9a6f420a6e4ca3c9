#include "app/site_window.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/close_keys.h"
#include "app/message_sink.h"
#include "app/widgets.h"
#include "app/window_geometry.h"
#include "operations/operator_texts.h"
#include "site/site_file.h"
#include "site/site_tasks.h"
#ifndef _WIN32
#include "site/site_harvest.h"
#include "store/event_store.h"
#endif

namespace zm48d {

namespace {

enum Column { kNameColumn, kPortColumn, kProgressColumn, kOutcomeColumn, kColumnCount };

QTableWidget* NewSiteTable(QWidget* parent) {
  auto* table = new QTableWidget(0, kColumnCount, parent);
  table->setObjectName(QStringLiteral("sgSITE"));
  table->setHorizontalHeaderLabels({QStringLiteral("Controlador"), QStringLiteral("Porta"),
                                    QStringLiteral("Progresso"), QStringLiteral("Resultado")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  QHeaderView* header = table->horizontalHeader();
  header->setSectionResizeMode(kNameColumn, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(kPortColumn, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(kProgressColumn, QHeaderView::Interactive);
  header->setSectionResizeMode(kOutcomeColumn, QHeaderView::Stretch);
  // A transfer's step on one line: a wrapped one would grow its row as it goes.
  table->setWordWrap(false);
  table->setFocusPolicy(Qt::NoFocus);
  table->setColumnWidth(kProgressColumn, table->fontMetrics().horizontalAdvance(
                                             QStringLiteral("Enviando lista: página 100 de 100")) +
                                             16);
  return table;
}

// "ok: 5 registros armazenados", or "FALHOU: " with what failed first and then
// whatever else failed.
QString OutcomeText(const site::ControllerOutcome& outcome) {
  if (outcome.ok) return FromUtf8(text::kSiteOutcomeOk) + FromUtf8(outcome.summary);
  QString line = FromUtf8(text::kSiteOutcomeFailed) + FromUtf8(outcome.summary);
  QStringList rest;
  for (const std::string& failure : outcome.failures) {
    if (failure != outcome.summary) rest << FromUtf8(failure);
  }
  if (!rest.isEmpty()) line += FromUtf8(text::kSiteMoreFailures) + rest.join(QStringLiteral("; "));
  return line;
}

}  // namespace

// The controllers' threads report here; each report crosses to the window's
// thread as a queued call, so the table is only ever touched there. The
// window waits for the run before it goes, so `window_` outlives the reports.
class SiteWindow::RowObserver final : public site::SiteObserver {
 public:
  explicit RowObserver(SiteWindow& window) : window_(window) {}

  void Progress(std::size_t controller, std::string_view text) override {
    QMetaObject::invokeMethod(
        &window_,
        [w = &window_, controller, t = FromUtf8(text)] { w->ShowProgress(controller, t); },
        Qt::QueuedConnection);
  }
  void Finished(std::size_t controller, const site::ControllerOutcome& outcome) override {
    QMetaObject::invokeMethod(
        &window_, [w = &window_, controller, outcome] { w->ShowOutcome(controller, outcome); },
        Qt::QueuedConnection);
  }

 private:
  SiteWindow& window_;
};

SiteWindow::SiteWindow(FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      odSITE_(dialogs, SharedFileDialog::Kind::kSite),
      fdPASTA_(dialogs, SharedFileDialog::Kind::kFolder) {
  setObjectName(QStringLiteral("fmSITE"));
  setWindowTitle(QStringLiteral("Site"));
  btABRIR = NewDialogButton(this, "btABRIR", QStringLiteral("Abrir site..."));
  lbARQUIVO = new QLabel(FromUtf8(text::kSiteNoneOpen), this);
  lbARQUIVO->setObjectName(QStringLiteral("lbARQUIVO"));
  lbARQUIVO->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lbERRO = new QLabel(this);
  lbERRO->setObjectName(QStringLiteral("lbERRO"));
  lbERRO->setStyleSheet(QStringLiteral("color: red"));
  lbERRO->setWordWrap(true);
  lbERRO->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lbERRO->hide();
  sgSITE = NewSiteTable(this);

  auto* file = new QHBoxLayout;
  file->addWidget(btABRIR);
  file->addWidget(lbARQUIVO, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(file);
  layout->addWidget(lbERRO);
  layout->addWidget(sgSITE, 1);
  layout->addWidget(BuildButtons());
  // Room for the progress and a failure's outcome beside the row of buttons.
  resize(std::max(sizeHint().width(), 900), 320);
  FitIntoScreenWhenShown(*this);
  CloseWithKeys(*this);

  connect(btABRIR, &QPushButton::clicked, this, [this] { btABRIRClick(); });
  EnableButtons();
}

QWidget* SiteWindow::BuildButtons() {
  auto* row = new QWidget(this);
  auto* buttons = new QHBoxLayout(row);
  buttons->setContentsMargins(0, 0, 0, 0);
  const auto add = [&](QPushButton*& button, const char* name, const QString& caption,
                       auto&& click) {
    button = NewDialogButton(row, name, caption);
    buttons->addWidget(button);
    connect(button, &QPushButton::clicked, this, click);
  };
  add(btESTADO, "btESTADO", QStringLiteral("Estado"), [this] { Run(site::StatusTask()); });
  add(btENVIAR, "btENVIAR", QStringLiteral("Enviar"), [this] { Run(site::SendTask(false)); });
  add(btENVIARV, "btENVIARV", QStringLiteral("Enviar e verificar"),
      [this] { Run(site::SendTask(true)); });
  add(btVERIFICAR, "btVERIFICAR", QStringLiteral("Verificar"), [this] { Run(site::VerifyTask()); });
  add(btCOPIA, "btCOPIA", QStringLiteral("Cópia de segurança..."), [this] { btCOPIAClick(); });
  add(btRELOGIO, "btRELOGIO", QStringLiteral("Acertar relógio"),
      [this] { Run(site::ClockSyncTask()); });
#ifndef _WIN32
  add(btCOLETAR, "btCOLETAR", QStringLiteral("Coletar registros"),
      [this] { Run(site::HarvestTask(store::DefaultStoreLocation())); });
#endif
  buttons->addStretch(1);
  return row;
}

SiteWindow::~SiteWindow() {
  if (worker_.joinable()) worker_.join();
}

bool SiteWindow::OpenSite(const QString& path) {
  if (IsRunning()) return false;
  lbARQUIVO->setText(path);
  Result<site::Site> reading = site::ReadSiteFile(path.toStdString());
  open_ = reading.ok();
  if (open_) {
    site_ = std::move(reading.value());
    lbERRO->hide();
  } else {
    site_ = {};
    lbERRO->setText(FromUtf8(reading.error()));
    lbERRO->show();
  }
  ShowSite();
  EnableButtons();
  return open_;
}

void SiteWindow::btABRIRClick() {
  if (odSITE_.Execute()) OpenSite(odSITE_.FileName());
}

void SiteWindow::btCOPIAClick() {
  if (fdPASTA_.Execute()) Run(site::BackupTask(fdPASTA_.FileName().toStdString()));
}

void SiteWindow::ShowSite() {
  sgSITE->setRowCount(static_cast<int>(site_.controllers.size()));
  for (int row = 0; row < sgSITE->rowCount(); ++row) {
    const site::SiteController& controller = site_.controllers[row];
    const QString cells[kColumnCount] = {
        FromUtf8(controller.name), FromUtf8(controller.port), {}, {}};
    for (int column = 0; column < kColumnCount; ++column) {
      sgSITE->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
  }
}

bool SiteWindow::Run(const site::ControllerTask& task) {
  if (!open_ || IsRunning()) return false;
  for (int row = 0; row < sgSITE->rowCount(); ++row) {
    sgSITE->item(row, kProgressColumn)->setText(QStringLiteral("..."));
    sgSITE->item(row, kOutcomeColumn)->setText({});
    sgSITE->item(row, kOutcomeColumn)->setToolTip({});
    sgSITE->item(row, kOutcomeColumn)->setForeground(palette().text());
  }
  worker_ = std::jthread([this, task] {
    RowObserver observer(*this);
    site::RunOnEveryController(site_, task, observer);
    QMetaObject::invokeMethod(
        this, [this] { RunEnded(); }, Qt::QueuedConnection);
  });
  EnableButtons();
  return true;
}

void SiteWindow::ShowProgress(std::size_t row, const QString& text) {
  sgSITE->item(static_cast<int>(row), kProgressColumn)->setText(text);
}

void SiteWindow::ShowOutcome(std::size_t row, const site::ControllerOutcome& outcome) {
  sgSITE->item(static_cast<int>(row), kProgressColumn)
      ->setText(FromUtf8(outcome.ok ? text::kSiteDone : text::kSiteFailed));
  QTableWidgetItem* cell = sgSITE->item(static_cast<int>(row), kOutcomeColumn);
  cell->setText(OutcomeText(outcome));
  cell->setToolTip(cell->text());
  if (!outcome.ok) cell->setForeground(Qt::red);
}

void SiteWindow::RunEnded() {
  worker_.join();
  EnableButtons();
}

void SiteWindow::EnableButtons() {
  const bool usable = open_ && !IsRunning();
  btABRIR->setEnabled(!IsRunning());
  for (QPushButton* button :
       {btESTADO, btENVIAR, btENVIARV, btVERIFICAR, btCOPIA, btRELOGIO, btCOLETAR}) {
    if (button != nullptr) button->setEnabled(usable);
  }
}

}  // namespace zm48d
