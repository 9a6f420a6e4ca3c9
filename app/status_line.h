#pragma once
// The window's status bar: while an operation runs, what runs and how far; after
// it, its outcome in one line with the time ("14:05:09 Beep: ok"), also for the
// operations that show no message box.
#include <QLabel>
#include <QStatusBar>
#include <QString>

#include "operations/operation_tally.h"
#include "operations/pc_clock.h"

namespace zm48d {

class StatusLine {
 public:
  explicit StatusLine(QStatusBar& bar);

  // An operation starts: the counts of the last one are forgotten.
  void Begin() { tally_ = {}; }
  ops::OperationTally& Tally() { return tally_; }
  void Progress(const QString& text);
  // Shows the outcome of the operation that began last, when it used the line.
  void End(const QString& caption, const ops::LocalDateTime& now);

  QString Text() const { return label_->text(); }

 private:
  QLabel* label_;
  ops::OperationTally tally_;
};

}  // namespace zm48d
