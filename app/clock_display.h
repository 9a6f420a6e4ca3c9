#pragma once
// A digital clock showing the PC's current time, hh:mm:ss, kept up to date by
// its own timer.
#include <QLCDNumber>
#include <QString>
#include <QTimer>

namespace zm48d {

class ClockDisplay : public QLCDNumber {
  Q_OBJECT

 public:
  explicit ClockDisplay(QWidget* parent = nullptr);

  // The time on the display, as shown.
  const QString& ShownTime() const { return shown_; }

 private:
  void Refresh();

  QTimer ticker_;
  QString shown_;
};

}  // namespace zm48d
