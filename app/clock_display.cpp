#include "app/clock_display.h"

#include <QTime>

namespace zm48d {

namespace {
// Polled faster than once a second so that the seconds never skip visibly.
constexpr int kRefreshMs = 200;
}  // namespace

ClockDisplay::ClockDisplay(QWidget* parent) : QLCDNumber(8, parent) {
  setSegmentStyle(QLCDNumber::Filled);
  connect(&ticker_, &QTimer::timeout, this, &ClockDisplay::Refresh);
  ticker_.start(kRefreshMs);
  Refresh();
}

void ClockDisplay::Refresh() {
  const QString now = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
  if (now == shown_) return;
  shown_ = now;
  display(shown_);
}

}  // namespace zm48d
