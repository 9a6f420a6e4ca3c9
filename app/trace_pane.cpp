#include "app/trace_pane.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/file_dialogs.h"
#include "app/message_sink.h"
#include "files/line_file.h"
#include "operations/frame_description.h"
#include "operations/operation_tally.h"
#include "operations/trace_line.h"

namespace zm48d {

namespace {

// Rows reach the view at most this often: a pane that redraws per frame would
// cost a paced transfer its time.
constexpr int kFlushIntervalMs = 100;

QString StatusMeaning(LinkStatus status) {
  return QStringLiteral("LinkStatus %1: ").arg(status) + FromUtf8(ops::LinkStatusText(status));
}

}  // namespace

int TraceModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TraceModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant TraceModel::data(const QModelIndex& index, int role) const {
  // A long frame does not fit its column: the tip shows it whole.
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const TraceRow& row = Row(index.row());
  return index.column() == 0 ? row.line : row.meaning;
}

QVariant TraceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == 0 ? QStringLiteral("Quadro") : QStringLiteral("Significado");
}

void TraceModel::Append(std::vector<TraceRow> rows) {
  if (rows.empty()) return;
  if (rows.size() > static_cast<std::size_t>(kTraceRows)) {
    rows.erase(rows.begin(), rows.end() - kTraceRows);
  }
  const int overflow = static_cast<int>(rows_.size() + rows.size()) - kTraceRows;
  if (overflow > 0) {
    beginRemoveRows({}, 0, overflow - 1);
    rows_.erase(rows_.begin(), rows_.begin() + overflow);
    endRemoveRows();
  }
  const int first = static_cast<int>(rows_.size());
  beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
  for (TraceRow& row : rows) rows_.push_back(std::move(row));
  endInsertRows();
}

void TraceModel::Clear() {
  beginResetModel();
  rows_.clear();
  endResetModel();
}

TracePane::TracePane(FileDialogs& dialogs, QWidget* parent)
    : QDockWidget(QStringLiteral("Tráfego serial"), parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("dwTRAFEGO"));
  auto* body = new QWidget(this);
  view_ = new QTableView(body);
  view_->setObjectName(QStringLiteral("tvTRAFEGO"));
  view_->setModel(&model_);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setDefaultSectionSize(18);
  view_->horizontalHeader()->setStretchLastSection(true);
  view_->setColumnWidth(0, 380);
  view_->setWordWrap(false);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);

  ClearButton = new QPushButton(QStringLiteral("Limpar"), body);
  CopyButton = new QPushButton(QStringLiteral("Copiar"), body);
  SaveButton = new QPushButton(QStringLiteral("Salvar..."), body);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {ClearButton, CopyButton, SaveButton}) buttons->addWidget(button);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);
  setWidget(body);

  connect(ClearButton, &QPushButton::clicked, this, [this] {
    pending_.clear();
    model_.Clear();
  });
  connect(CopyButton, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(Text()); });
  connect(SaveButton, &QPushButton::clicked, this, [this] { Save(); });
  flush_.setInterval(kFlushIntervalMs);
  connect(&flush_, &QTimer::timeout, this, [this] { Flush(); });
  flush_.start();
}

void TracePane::Frame(FrameDirection direction, std::span<const std::uint8_t> frame) {
  const bool received = direction == FrameDirection::kReceived;
  // An answer is judged against the request it answers: a read needs a whole block.
  if (!received) lastRequest_.assign(frame.begin(), frame.end());
  ++rowsTaken_;
  pending_.push_back(
      {FromUtf8(ops::FormatTraceLine(std::chrono::system_clock::now(), direction, frame)),
       FromUtf8(received ? ops::DescribeResponse(frame, lastRequest_)
                         : ops::DescribeRequest(frame)),
       received});
}

// A failed send or receive is told on the row of its frame; one with no byte to
// show (an answer that never came) gets a row of its own.
void TracePane::Status(FrameDirection direction, LinkStatus status) {
  if (status == link_status::kOk) return;
  const bool received = direction == FrameDirection::kReceived;
  if (pending_.empty() || pending_.back().received != received) {
    ++rowsTaken_;
    pending_.push_back(
        {FromUtf8(ops::FormatTraceLine(std::chrono::system_clock::now(), direction, {})),
         StatusMeaning(status), received});
    return;
  }
  pending_.back().meaning += QStringLiteral(" — ") + StatusMeaning(status);
}

void TracePane::Flush() {
  if (pending_.empty()) return;
  model_.Append(std::exchange(pending_, {}));
  if (isVisible()) view_->scrollToBottom();
}

QString TracePane::Text() { return LastLines(kTraceRows); }

QString TracePane::LastLines(int count) {
  Flush();
  QString text;
  for (int row = std::max(0, model_.rowCount() - count); row < model_.rowCount(); ++row) {
    text += model_.Row(row).line + QLatin1Char('\t') + model_.Row(row).meaning + QLatin1Char('\n');
  }
  return text;
}

void TracePane::Save() {
  const auto name = dialogs_.SaveFileName(lastSaved_);
  if (!name) return;
  lastSaved_ = *name;
  std::vector<std::string> lines;
  for (const QString& line : Text().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    lines.push_back(line.toStdString());
  }
  SaveLinesAtomically(QFile::encodeName(*name).toStdString(), lines);
}

}  // namespace zm48d
