// The "Leitura OnLine" page driven by its own timer against the emulated
// controller: start, ticks, stop after one more line, clearing the memo, a
// missing port and another button's port cycle in the middle of a reading.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include <QComboBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "app/form1.h"
#include "tests/app/app_test_support.h"
#include "tests/support/emulated_line.h"

namespace zm48d::testing {
namespace {

using namespace std::chrono_literals;

const QString kStart = QStringLiteral("Iniciar Leitura");
const QString kStop = QStringLiteral("Parar Leitura");
const QString kReadFailed = QStringLiteral("Erro de leitura!!");
// Entry i is the tag 0i 1i 2i with the value 3i.
const QString kLine = QStringLiteral(
    "011121*31 - 021222*32 - 031323*33 - 041424*34 - 051525*35 - 061626*36 - 071727*37 - "
    "081828*38 - ");

// Passes everything to the emulator's line and notes, at each frame sent,
// whether the window's timer was running.
class WatchedLink final : public SerialLink {
 public:
  explicit WatchedLink(SerialLink& inner) : inner_(inner) {}
  bool OpenDevice(int port, std::uint32_t baud) override { return inner_.OpenDevice(port, baud); }
  void CloseDevice() override { inner_.CloseDevice(); }
  bool Write(const std::uint8_t* block, int size, int& written) override {
    if (onWrite) onWrite();
    return inner_.Write(block, size, written);
  }
  bool Read(int size, std::uint8_t* buffer, int& read) override {
    return inner_.Read(size, buffer, read);
  }
  void Purge(unsigned flags) override { inner_.Purge(flags); }

  std::function<void()> onWrite;

 private:
  SerialLink& inner_;
};

class OnlinePageTest : public ::testing::Test, private WithApplication {
 protected:
  void SetUp() override {
    form.Timer1->setInterval(kTick);
    watched.onWrite = [this] { timerRunningAtSend.push_back(form.Timer1->isActive()); };
    line.emulator.With([](auto& c) {
      for (int i = 0; i < 8; ++i) {
        c.online[i] = {static_cast<std::uint32_t>((0x01 + i) << 16 | (0x11 + i) << 8 | (0x21 + i)),
                       static_cast<std::uint8_t>(0x31 + i)};
      }
    });
  }

  QStringList Lines() const { return form.Memo1->toPlainText().split('\n'); }
  // Lets the window's events run (its timer among them) until `done`; false
  // when it does not come within `timeout`.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 3s) {
    QTimer wake;  // so that waiting for events never outlasts the deadline
    wake.start(5);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
  }
  bool RunUntilLines(qsizetype count, std::chrono::milliseconds timeout = 3s) {
    return RunUntil([&] { return Lines().size() >= count; }, timeout);
  }
  void RunFor(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    RunUntil([&] { return std::chrono::steady_clock::now() >= end; }, time + 1s);
  }
  bool PortOpen() const { return form.Link().serial.open; }

  static constexpr int kTick = 20;

  EmulatedLine line;
  WatchedLink watched{line.device};
  RecordingMessageSink messages;
  ScriptedFileDialogs dialogs;
  TForm1 form{watched, messages, dialogs};
  std::vector<bool> timerRunningAtSend;
};

TEST_F(OnlinePageTest, EachTickPollsOnceWithTheTimerStoppedAndAppendsALine) {
  form.Button44->click();
  EXPECT_EQ(form.Button44->text(), kStop);
  EXPECT_TRUE(form.OnlineReadingActive);
  EXPECT_TRUE(form.Timer1->isActive());
  EXPECT_TRUE(PortOpen());
  EXPECT_EQ(Lines(), QStringList{"Memo1"});  // nothing is read before the first tick

  ASSERT_TRUE(RunUntilLines(3));
  EXPECT_EQ(Lines(), (QStringList{"Memo1", kLine, kLine}));
  // The entries are read live: a change on the readers shows in the next line.
  line.emulator.With([](auto& c) { c.online[7] = {0xABCDEF, 0x99}; });
  ASSERT_TRUE(RunUntilLines(4));
  EXPECT_TRUE(Lines()[3].endsWith("071727*37 - ABCDEF*99 - "));

  const auto requests = line.emulator.Requests();
  ASSERT_GE(requests.size(), 3u);
  for (const auto& r : requests) {
    EXPECT_EQ(r.command, 'J');
    EXPECT_EQ(r.data, (std::vector<std::uint8_t>{'N'}));
  }
  // The timer never runs while a poll waits for the controller, and is
  // running again between polls.
  EXPECT_EQ(timerRunningAtSend, std::vector<bool>(timerRunningAtSend.size(), false));
  EXPECT_TRUE(form.Timer1->isActive());
  EXPECT_TRUE(PortOpen());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OnlinePageTest, StopTakesEffectAtTheNextTickAfterOneMoreLine) {
  form.Button44->click();
  ASSERT_TRUE(RunUntilLines(2));
  form.Button44->click();
  // Only the flag changes now.
  EXPECT_FALSE(form.OnlineReadingActive);
  EXPECT_EQ(form.Button44->text(), kStop);
  EXPECT_TRUE(form.Timer1->isActive());
  EXPECT_TRUE(PortOpen());
  const auto linesAtStop = Lines().size();
  const auto pollsAtStop = line.emulator.Requests().size();

  ASSERT_TRUE(RunUntil([&] { return form.Button44->text() == kStart; }));
  EXPECT_EQ(Lines().size(), linesAtStop + 1);
  EXPECT_EQ(Lines().back(), kLine);
  EXPECT_EQ(line.emulator.Requests().size(), pollsAtStop + 1);
  EXPECT_FALSE(form.Timer1->isActive());
  EXPECT_FALSE(PortOpen());

  RunFor(5 * std::chrono::milliseconds(kTick));
  EXPECT_EQ(Lines().size(), linesAtStop + 1);
  EXPECT_EQ(line.emulator.Requests().size(), pollsAtStop + 1);

  // And it starts again.
  form.Button44->click();
  EXPECT_EQ(form.Button44->text(), kStop);
  ASSERT_TRUE(RunUntilLines(static_cast<qsizetype>(linesAtStop) + 2));
  EXPECT_EQ(Lines().back(), kLine);
}

TEST_F(OnlinePageTest, ApagarMemoWhileReadingEmptiesItAndTheReadingGoesOn) {
  form.Button44->click();
  ASSERT_TRUE(RunUntilLines(3));
  form.Button45->click();
  EXPECT_EQ(form.Memo1->toPlainText(), "");
  EXPECT_EQ(form.Button44->text(), kStop);
  EXPECT_TRUE(form.Timer1->isActive());
  ASSERT_TRUE(RunUntil([&] { return !form.Memo1->toPlainText().isEmpty(); }));
  EXPECT_EQ(Lines(), QStringList{kLine});
}

TEST_F(OnlinePageTest, MissingPortIsAMemoLineAndNothingStarts) {
  form.cbSER->setCurrentIndex(1);
  emit form.cbSER->activated(1);
  form.Button44->click();
  EXPECT_EQ(Lines(), (QStringList{"Memo1", "Erro ao abrir porta serial"}));
  EXPECT_EQ(form.Button44->text(), kStart);
  EXPECT_FALSE(form.OnlineReadingActive);
  EXPECT_FALSE(form.Timer1->isActive());
  EXPECT_FALSE(PortOpen());
  EXPECT_TRUE(messages.shown.empty());
  RunFor(3 * std::chrono::milliseconds(kTick));
  EXPECT_EQ(Lines().size(), 2);
}

// Beep opens the port again and closes it at its end: from then on every poll
// fails, without stopping the reading, until the operator restarts it.
TEST_F(OnlinePageTest, AnotherButtonsPortCycleMakesLaterPollsFailUntilRestarted) {
  form.Button44->click();
  ASSERT_TRUE(RunUntilLines(2));
  form.Button1->click();
  EXPECT_EQ(line.emulator.With([](auto& c) { return c.beeps; }), 1);
  EXPECT_FALSE(PortOpen());
  const auto linesAtBeep = Lines().size();
  ASSERT_TRUE(RunUntilLines(static_cast<qsizetype>(linesAtBeep) + 3));
  for (auto i = linesAtBeep; i < linesAtBeep + 3; ++i) EXPECT_EQ(Lines()[i], kReadFailed);
  EXPECT_EQ(form.Button44->text(), kStop);
  EXPECT_TRUE(form.Timer1->isActive());

  form.Button44->click();
  ASSERT_TRUE(RunUntil([&] { return form.Button44->text() == kStart; }));
  EXPECT_EQ(Lines().back(), kReadFailed);
  form.Button44->click();
  const auto linesAtRestart = Lines().size();
  ASSERT_TRUE(RunUntilLines(static_cast<qsizetype>(linesAtRestart) + 1));
  EXPECT_EQ(Lines()[linesAtRestart], kLine);
  EXPECT_TRUE(messages.shown.empty());
}

// An error in a handler that has no port cycle of its own (a file that cannot be
// opened) is shown in the error box and leaves the reading's port alone.
TEST_F(OnlinePageTest, AnErrorOutsideAPortCycleKeepsTheReadingsPort) {
  form.Button44->click();
  ASSERT_TRUE(RunUntilLines(2));
  dialogs.answers.push_back(QStringLiteral("/nonexistent/zm48d-grupos.txt"));
  form.Button9->click();
  ASSERT_EQ(messages.errors.size(), 1u);
  EXPECT_TRUE(PortOpen());
  const auto linesAtError = Lines().size();
  ASSERT_TRUE(RunUntilLines(static_cast<qsizetype>(linesAtError) + 1));
  EXPECT_EQ(Lines()[linesAtError], kLine);
}

// A controller that does not answer one poll: that line reads "Erro de
// leitura!!" and the next poll works again (waits for one serial timeout).
TEST_F(OnlinePageTest, AFailedPollIsLoggedAndTheReadingGoesOn) {
  line.emulator.SetFault({emu::Fault::kNoAnswer, 1, 1, 'J'});
  form.Button44->click();
  ASSERT_TRUE(RunUntilLines(4, 6s));
  EXPECT_EQ(Lines().mid(1, 3), (QStringList{kLine, kReadFailed, kLine}));
  EXPECT_EQ(form.Button44->text(), kStop);
}

}  // namespace
}  // namespace zm48d::testing
