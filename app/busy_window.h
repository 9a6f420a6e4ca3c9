#pragma once
// While an operation runs on the one user-interface thread, the window keeps
// repainting and moving: the link's idle hook and every frame let pending events
// run. The operator's mouse and key input on the window is dropped meanwhile,
// not queued for afterwards, so a second click on a send button does not send
// twice, and a timer tick that comes in the middle waits for the operation's end.
// An operation that lasts beyond a moment also looks busy: the window is told to
// grey its controls until it ends (not at once, so that a beep or a poll does not
// make the page flicker).
#include <functional>
#include <utility>
#include <vector>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace zm48d {

class BusyWindow final : public QObject {
 public:
  explicit BusyWindow(QWidget& window);
  ~BusyWindow() override;

  // The window is busy while a Scope lives; scopes nest.
  class Scope {
   public:
    explicit Scope(BusyWindow& busy);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    BusyWindow& busy_;
  };

  bool IsBusy() const { return depth_ > 0; }
  // Lets pending events run while busy, at most every few milliseconds;
  // nothing when the window is not busy.
  void Pump();
  // A widget whose clicks still count while busy: one whose handler does not
  // use the line (the online reading's stop button only lowers a flag).
  void KeepLive(QWidget* widget) { live_.push_back(widget); }
  // Whether `widget` is one of those, or holds one.
  bool HoldsLive(const QWidget* widget) const;
  // Runs `later` once the window is no longer busy (right away when it is not);
  // a second request before then replaces the first.
  void WhenIdle(std::function<void()> later);
  // Called with true once an operation has run for a moment, and with false
  // when it ends.
  void OnLook(std::function<void(bool busy)> look) { look_ = std::move(look); }
  bool LooksBusy() const { return looking_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Dropped(QObject* watched, QEvent* event) const;
  void Leave();

  QWidget& window_;
  int depth_ = 0;
  QElapsedTimer sincePump_;
  QElapsedTimer busySince_;
  bool looking_ = false;
  std::function<void(bool)> look_;
  std::vector<QPointer<QWidget>> live_;
  std::function<void()> later_;
};

}  // namespace zm48d
