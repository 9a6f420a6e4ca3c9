#pragma once
// "Tráfego serial": a pane that shows every frame sent and received, with its
// time and direction as `zm48d --trace` prints it and, beside it, the frame in
// words. It keeps the last kTraceRows frames; rows reach the view in batches,
// so a transfer never waits for the pane.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QTimer>

#include "protocol/link_state.h"

class QPushButton;
class QTableView;

namespace zm48d {

class FileDialogs;

inline constexpr int kTraceRows = 10000;

struct TraceRow {
  QString line;     // "12:00:00.123 -> 02 AA 1E 48 00 1C 03 31 04"
  QString meaning;  // "H beep"
  bool received = false;
};

class TraceModel final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Takes rows in, dropping the oldest beyond kTraceRows.
  void Append(std::vector<TraceRow> rows);
  void Clear();
  const TraceRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

 private:
  std::deque<TraceRow> rows_;
};

class TracePane final : public QDockWidget {
  Q_OBJECT

 public:
  TracePane(FileDialogs& dialogs, QWidget* parent);

  // What the link's observers see.
  void Frame(FrameDirection direction, std::span<const std::uint8_t> frame);
  void Status(FrameDirection direction, LinkStatus status);

  // Moves the rows taken since the last call into the view.
  void Flush();
  const TraceModel& Model() const { return model_; }
  // Every row, a line each, as "Copiar" and "Salvar" give them.
  QString Text();
  // The last `count` rows the same way: what a failure's message box shows. The
  // pane takes every frame whether it is shown or not.
  QString LastLines(int count);
  // How many rows the pane has taken since it was made (clearing does not count
  // back): an operation's rows are those taken after its start.
  std::uint64_t RowsTaken() const { return rowsTaken_; }

  QPushButton* ClearButton = nullptr;
  QPushButton* CopyButton = nullptr;
  QPushButton* SaveButton = nullptr;

 private:
  void Save();

  FileDialogs& dialogs_;
  TraceModel model_;
  QTableView* view_ = nullptr;
  std::vector<TraceRow> pending_;
  std::uint64_t rowsTaken_ = 0;
  std::vector<std::uint8_t> lastRequest_;  // the request the next answer answers
  QTimer flush_;
  QString lastSaved_;
};

}  // namespace zm48d
