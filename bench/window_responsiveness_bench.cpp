// The window while the line is busy: "Enviar para o aparelho" at its largest
// (49 holidays, 65 groups, 999 tags) and "Descarregar Registros" of a full stack
// (201 records), clicked in the real window (offscreen) against an emulator
// paced like a 19200-baud line. Reported: the longest gap between two repaints
// of the window, and the longest time an event posted every 10 ms waited to be
// handled. Target: at most 100 ms each.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "app/form1.h"
#include "bench/bench_application.h"
#include "tests/app/app_test_support.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d {
namespace {

constexpr int kProbeIntervalMs = 10;

// An input event stand-in that knows when it was posted.
struct ProbeEvent final : QEvent {
  explicit ProbeEvent(qint64 at) : QEvent(QEvent::User), postedAt(at) {}
  qint64 postedAt;
};

// Watches one busy operation: paints of the window, asked for every 10 ms, and
// probe events that a thread of their own posts every 10 ms to a widget outside
// the window (the window drops input while busy; the probe's is not dropped, so
// its wait is the event loop's).
class Responsiveness final : public QObject {
 public:
  explicit Responsiveness(QWidget& window) : window_(window) {
    window_.installEventFilter(this);
    probe_.installEventFilter(this);
    QObject::connect(&ticker_, &QTimer::timeout, [this] { window_.update(); });
  }
  ~Responsiveness() override { Stop(); }
  void Start() {
    clock_.start();
    lastPaint_ = 0;
    ticker_.start(kProbeIntervalMs);
    running_ = true;
    poster_ = std::thread([this] {
      while (running_) {
        QCoreApplication::postEvent(&probe_, new ProbeEvent(clock_.elapsed()));
        std::this_thread::sleep_for(std::chrono::milliseconds(kProbeIntervalMs));
      }
    });
  }
  void Stop() {
    if (!running_) return;
    running_ = false;
    poster_.join();
    ticker_.stop();
    longestGap_ = std::max(longestGap_, clock_.elapsed() - lastPaint_);
    QCoreApplication::processEvents();  // the probes still queued count too
  }
  qint64 LongestGap() const { return longestGap_; }
  qint64 LongestWait() const { return longestWait_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Paint && ticker_.isActive()) {
      const qint64 now = clock_.elapsed();
      longestGap_ = std::max(longestGap_, now - lastPaint_);
      lastPaint_ = now;
    }
    if (watched == &probe_ && event->type() == QEvent::User) {
      const auto* probe = static_cast<ProbeEvent*>(event);
      longestWait_ = std::max(longestWait_, clock_.elapsed() - probe->postedAt);
    }
    return false;
  }

 private:
  QWidget& window_;
  QWidget probe_;
  QTimer ticker_;
  QElapsedTimer clock_;
  std::thread poster_;
  std::atomic<bool> running_ = false;
  qint64 lastPaint_ = 0;
  qint64 longestGap_ = 0;
  qint64 longestWait_ = 0;
};

void Report(benchmark::State& state, const Responsiveness& watch, double seconds) {
  state.counters["repaint_gap_ms"] = static_cast<double>(watch.LongestGap());
  state.counters["input_wait_ms"] = static_cast<double>(watch.LongestWait());
  state.counters["operation_s"] = seconds;
}

struct ApplicationFirst {
  ApplicationFirst() { bench::EnsureApplication(); }
};

struct PacedWindow : ApplicationFirst {
  PacedWindow() {
    form.show();
    form.FormActivate();
  }
  static emu::EmulatorOptions Paced() {
    emu::EmulatorOptions options;
    options.pace = true;
    return options;
  }
  testing::EmulatedLine line{Paced()};
  testing::RecordingMessageSink messages;
  testing::ScriptedFileDialogs dialogs;
  TForm1 form{line.device, messages, dialogs};
};

double Timed(Responsiveness& watch, QPushButton* button) {
  QElapsedTimer took;
  watch.Start();
  took.start();
  button->click();
  watch.Stop();
  return static_cast<double>(took.elapsed()) / 1000.0;
}

// Arg 0: the trace pane closed; arg 1: open, showing every frame. The pane must
// cost the transfer no time.
void BM_WindowDuringFullSend(benchmark::State& state) {
  PacedWindow window;
  testing::TempDir dir;
  window.form.Edit8->setText(
      QString::fromStdString(dir.Write("h.txt", testing::SampleHolidays(49))));
  window.form.Edit9->setText(QString::fromStdString(dir.Write("g.txt", testing::SampleGroups(65))));
  window.form.Edit16->setText(QString::fromStdString(dir.Write("t.txt", testing::SampleTags(999))));
  if (auto* pane = window.form.findChild<QWidget*>(QStringLiteral("dwTRAFEGO"))) {
    pane->setVisible(state.range(0) != 0);
  }
  Responsiveness watch(window.form);
  double seconds = 0;
  for (auto _ : state) seconds = Timed(watch, window.form.Button33);
  Report(state, watch, seconds);
}

void BM_WindowDuringFullDownload(benchmark::State& state) {
  PacedWindow window;
  window.line.emulator.With([](emu::Controller& c) {
    for (int i = 0; i < 201; ++i) {
      c.PushEvent(
          {0x00, 0xA1, static_cast<std::uint8_t>(i), 0x07, 0x12, 0x26, 0x14, 0x05, 0x33, 0x10});
    }
  });
  Responsiveness watch(window.form);
  double seconds = 0;
  for (auto _ : state) seconds = Timed(watch, window.form.Button34);
  Report(state, watch, seconds);
}

BENCHMARK(BM_WindowDuringFullSend)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WindowDuringFullDownload)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace zm48d
