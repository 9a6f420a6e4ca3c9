#include "app/window_geometry.h"

#include <algorithm>
#include <utility>

#include <QEvent>
#include <QObject>
#include <QScreen>

namespace zm48d {

namespace {

// One axis: a length no longer than the room, and a start that keeps it inside.
std::pair<int, int> Fitted(int start, int length, int roomStart, int room) {
  const int fitted = std::min(length, room);
  return {std::clamp(start, roomStart, roomStart + room - fitted), fitted};
}

// Fits its window at the window's first show, then goes.
class FitAtFirstShow final : public QObject {
 public:
  explicit FitAtFirstShow(QWidget& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show) {
      window_.removeEventFilter(this);
      FitIntoScreen(window_);
      deleteLater();
    }
    return false;
  }

 private:
  QWidget& window_;
};

}  // namespace

QRect FittedGeometry(const QRect& wanted, const QMargins& frame, const QRect& available) {
  const QRect outer = wanted.marginsAdded(frame);
  const auto [x, width] = Fitted(outer.x(), outer.width(), available.x(), available.width());
  const auto [y, height] = Fitted(outer.y(), outer.height(), available.y(), available.height());
  return QRect(x, y, width, height).marginsRemoved(frame);
}

void FitIntoScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  const QRect outer = window.frameGeometry();
  const QRect inner = window.geometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom());
  window.setGeometry(FittedGeometry(inner, frame, screen->availableGeometry()));
}

void FitIntoScreenWhenShown(QWidget& window) {
  FitIntoScreen(window);
  new FitAtFirstShow(window);  // owned by the window
}

}  // namespace zm48d
