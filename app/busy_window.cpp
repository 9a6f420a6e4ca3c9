#include "app/busy_window.h"

#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace zm48d {

namespace {

// Often enough to repaint smoothly, seldom enough to cost a transfer nothing.
constexpr qint64 kPumpIntervalMs = 15;
// Longer than a beep or an online poll, short enough to answer a click at once.
constexpr qint64 kLookBusyAfterMs = 200;

bool IsOperatorInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: return true;
    default: return false;
  }
}

}  // namespace

BusyWindow::BusyWindow(QWidget& window) : QObject(&window), window_(window) { sincePump_.start(); }

BusyWindow::~BusyWindow() {
  if (depth_ > 0) QCoreApplication::instance()->removeEventFilter(this);
}

BusyWindow::Scope::Scope(BusyWindow& busy) : busy_(busy) {
  if (busy_.depth_++ > 0) return;
  QCoreApplication::instance()->installEventFilter(&busy_);
  busy_.busySince_.start();
}

BusyWindow::Scope::~Scope() { busy_.Leave(); }

void BusyWindow::Leave() {
  if (--depth_ > 0) return;
  QCoreApplication::instance()->removeEventFilter(this);
  if (std::exchange(looking_, false) && look_) look_(false);
  if (later_)
    QTimer::singleShot(0, this, [this] {
      auto later = std::exchange(later_, {});
      if (later) later();
    });
}

void BusyWindow::Pump() {
  if (depth_ == 0) return;
  if (!looking_ && look_ && busySince_.elapsed() >= kLookBusyAfterMs) {
    looking_ = true;
    look_(true);
  }
  if (sincePump_.elapsed() < kPumpIntervalMs) return;
  sincePump_.restart();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void BusyWindow::WhenIdle(std::function<void()> later) {
  if (depth_ == 0) {
    later();
    return;
  }
  later_ = std::move(later);
}

bool BusyWindow::HoldsLive(const QWidget* widget) const {
  for (const QPointer<QWidget>& live : live_) {
    if (live && (live == widget || widget->isAncestorOf(live))) return true;
  }
  return false;
}

bool BusyWindow::Dropped(QObject* watched, QEvent* event) const {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != &window_) return false;  // a message box
  if (event->type() == QEvent::Close) return true;  // not while a handler runs on it
  if (!IsOperatorInput(event->type())) return false;
  for (const QPointer<QWidget>& live : live_) {
    if (live && (live == widget || live->isAncestorOf(widget))) return false;
  }
  return true;
}

bool BusyWindow::eventFilter(QObject* watched, QEvent* event) {
  if (Dropped(watched, event)) {
    if (event->type() == QEvent::Close) event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zm48d
