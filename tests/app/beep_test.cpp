// The Beep port cycle against the emulated controller, a silent one and a missing
// port; and errors that end a handler.
#include <chrono>
#include <vector>

#include <QComboBox>

#include "files/runtime_errors.h"
#include "tests/app/form_fixture.h"
#include "tests/support/time_bounds.h"

namespace zm48d::testing {
namespace {

using Clock = std::chrono::steady_clock;
using BeepTest = FormTest;

TEST_F(BeepTest, SoundsTheControllerAndClosesThePort) {
  form.FormActivate();
  form.Button1->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Beeps(), 1);
  const auto requests = line.emulator.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].command, 'H');
  EXPECT_EQ(requests[0].head, 0xAA);
  EXPECT_FALSE(form.Link().serial.open);
}

TEST_F(BeepTest, NextFrameCarriesTheHeadFromMudar) {
  line.emulator.With([](auto& controller) {
    controller.settings[0x8000 + 5] = 0x12;  // its own head address
    return 0;
  });
  form.Edit10->setText("12");
  form.Button43->click();
  form.Button1->click();
  const auto requests = line.emulator.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].head, 0x12);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Beeps(), 1);
}

// "Erro!!" comes after the header read's timeout (300 * 4 + 200 ms) and is shown
// while the port is still open; the port is closed afterwards.
TEST_F(BeepTest, SilentControllerGivesErroAfterTheTimeout) {
  line.emulator.SetFault(emu::FaultPlan{emu::Fault::kNoAnswer});
  bool openDuringMessage = false;
  messages.onShow = [&](const QString&) { openDuringMessage = form.Link().serial.open; };
  const auto start = Clock::now();
  form.Button1->click();
  const auto elapsed = Clock::now() - start;
  EXPECT_EQ(messages.shown, std::vector<QString>{"Erro!!"});
  EXPECT_TRUE(openDuringMessage);
  EXPECT_GE(elapsed, std::chrono::milliseconds(1200));
  EXPECT_LT(elapsed, Loaded(std::chrono::milliseconds(1500)));
  EXPECT_EQ(line.emulator.Requests().size(), 1u);  // one request, no retry
  EXPECT_FALSE(form.Link().serial.open);
}

TEST_F(BeepTest, MissingPortSendsNothing) {
  form.cbSER->setCurrentIndex(1);
  emit form.cbSER->activated(1);
  form.Button1->click();
  EXPECT_EQ(messages.shown, std::vector<QString>{"Erro ao abrir a porta serial!!"});
  EXPECT_TRUE(line.emulator.Requests().empty());
  EXPECT_FALSE(form.Link().serial.open);

  // Back on COM 1 the next Beep works: the failed open left nothing behind.
  form.cbSER->setCurrentIndex(0);
  emit form.cbSER->activated(0);
  form.Button1->click();
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(Beeps(), 1);
}

TEST_F(BeepTest, AnErrorEndsTheHandlerInTheErrorBoxAndReleasesThePort) {
  bool reachedEnd = false;
  form.Guarded([&] {
    ASSERT_TRUE(SerialOpen(form.Link().serial, kEmulatorPort));
    StrToInt("12a");
    reachedEnd = true;
  });
  EXPECT_FALSE(reachedEnd);
  EXPECT_EQ(messages.errors, std::vector<QString>{"'12a' is not a valid integer value"});
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(form.Link().serial.open);

  form.Guarded([] { throw ListIndexError(2); });
  EXPECT_EQ(messages.errors.back(), "List index out of bounds (2)");

  form.Button1->click();
  EXPECT_EQ(Beeps(), 1);
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace zm48d::testing
