#pragma once
// The hourglass cursor over the whole screen for as long as a long operation runs;
// every way out of the operation, errors included, puts the cursor back.
#include <QGuiApplication>

namespace zm48d {

class Hourglass {
 public:
  Hourglass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Hourglass() { QGuiApplication::restoreOverrideCursor(); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;
};

}  // namespace zm48d
