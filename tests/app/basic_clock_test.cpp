// The controller's clock on "Funções básicas": "Lê", "Grava" from the edits and
// "Grava S.O" from the PC's clock, here a fixed one.
#include <cstdlib>
#include <string>
#include <vector>

#include <QDateTime>

#include "tests/app/basic_page_fixture.h"

namespace zm48d::testing {
namespace {

using emu::Fault;

// 7 December 2026 is a Monday.
constexpr ops::LocalDateTime kPcTime{2026, 12, 7, 14, 5, 9};

class BasicClockTest : public BasicPageTest {
 protected:
  void StopControllerClock(emu::ClockValue value) {
    line.emulator.With([&](emu::Controller& c) {
      c.clock = value;
      c.clockRunning = false;
    });
  }
  emu::ClockValue ControllerClock() {
    return line.emulator.With([](emu::Controller& c) { return c.clock; });
  }
  static void ExpectClock(const emu::ClockValue& v, emu::ClockValue want) {
    EXPECT_EQ(std::vector<int>({v.day, v.month, v.year, v.weekday, v.hour, v.minute, v.second}),
              std::vector<int>({want.day, want.month, want.year, want.weekday, want.hour,
                                want.minute, want.second}));
  }
};

TEST(PcClockText, TwoDigitFieldsAndTheYearsLastTwoDigits) {
  EXPECT_EQ(ops::DateText(kPcTime), "07/12/26");
  EXPECT_EQ(ops::TimeText(kPcTime), "14:05:09");
  EXPECT_EQ(ops::DateText({2000, 1, 31, 23, 59, 59}), "31/01/00");
  EXPECT_EQ(ops::TimeText({2000, 1, 31, 23, 59, 59}), "23:59:59");
  EXPECT_EQ(ops::TimeText({1999, 1, 1, 0, 0, 0}), "00:00:00");
}

TEST(PcClockText, DefaultClockIsThePcsLocalTime) {
  const ops::LocalDateTime now = ops::CurrentLocalTime();
  const QDateTime pc = QDateTime::currentDateTime();
  const QDateTime read(QDate(now.year, now.month, now.day),
                       QTime(now.hour, now.minute, now.second));
  EXPECT_LE(std::abs(read.secsTo(pc)), 5);
}

TEST_F(BasicClockTest, ReadFillsTheEditsAndNamesTheWeekday) {
  StopControllerClock({8, 12, 26, 2, 10, 20, 30});  // a Tuesday
  Click(form.Button29);
  EXPECT_EQ(form.meDAT->displayText(), QStringLiteral("08/12/26"));
  EXPECT_EQ(form.meHOR->displayText(), QStringLiteral("10:20:30"));
  EXPECT_EQ(messages.shown, Texts({"Dia da semana: Terça"}));
}

TEST_F(BasicClockTest, WriteSendsTheEditsAndConfirms) {
  form.meDAT->setText("07/12/26");
  form.meHOR->setText("14:05:09");
  Click(form.Button30);
  EXPECT_EQ(messages.shown, Texts({"Relógio configurado!!"}));
  const auto requests = line.emulator.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].data, (Bytes{'G', 0, 7, 1, 2, 2, 6, 1, 1, 4, 0, 5, 0, 9}));
}

// "Grava" sends what was typed, also a day or time that does not exist; the
// status line then says so beside the outcome.
TEST_F(BasicClockTest, ADateOrTimeThatDoesNotExistIsSentAsTypedAndNoted) {
  form.PcLocalTime = [] { return kPcTime; };
  struct Case {
    const char *date, *time;
    Bytes sent;
    const char* status;
  };
  const char* const kNoted =
      "14:05:09 Relógio: Grava: ok; data ou hora inexistente enviada como digitada";
  const Case cases[] = {
      {"32/13/99", "25:61:61", {'G', 3, 2, 1, 3, 9, 9, 0, 2, 5, 6, 1, 6, 1}, kNoted},
      {"29/02/25", "12:00:00", {'G', 2, 9, 0, 2, 2, 5, 0, 1, 2, 0, 0, 0, 0}, kNoted},
      {"07/12/26", "24:00:00", {'G', 0, 7, 1, 2, 2, 6, 1, 2, 4, 0, 0, 0, 0}, kNoted},
      {"29/02/24",
       "23:59:59",
       {'G', 2, 9, 0, 2, 2, 4, 4, 2, 3, 5, 9, 5, 9},
       "14:05:09 Relógio: Grava: ok"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.date + std::string(" ") + c.time);
    form.meDAT->setText(c.date);
    form.meHOR->setText(c.time);
    Click(form.Button30);
    EXPECT_EQ(messages.shown.back(), QStringLiteral("Relógio configurado!!"));
    EXPECT_EQ(line.emulator.Requests().back().data, c.sent);
    EXPECT_EQ(form.StatusText(), QString::fromUtf8(c.status));
  }
}

TEST_F(BasicClockTest, FailuresReadLoudlyWriteSilently) {
  form.meDAT->setText("01/02/03");
  form.meHOR->setText("04:05:06");
  line.emulator.SetFault({Fault::kBadChecksum});
  Click(form.Button29);
  EXPECT_EQ(messages.shown, Texts({"Erro ao ler relógio!!"}));
  EXPECT_EQ(form.meDAT->displayText(), QStringLiteral("01/02/03"));
  EXPECT_EQ(form.meHOR->displayText(), QStringLiteral("04:05:06"));

  Click(form.Button30);
  EXPECT_EQ(messages.shown.size(), 1u);  // a failed clock write is not reported
  EXPECT_EQ(Commands(), "EE");

  SelectMissingPort();
  Click(form.Button29);
  Click(form.Button30);
  EXPECT_EQ(messages.shown,
            Texts({"Erro ao ler relógio!!", "Erro ao abrir serial!!", "Erro ao abrir serial!!"}));
  EXPECT_EQ(Commands(), "EE");
}

TEST_F(BasicClockTest, GravaSOSetsTheControllerFromThePcClock) {
  form.PcLocalTime = [] { return kPcTime; };
  // The edits hold the PC's values by the time the confirmation is shown.
  QString dateShown, timeShown;
  messages.onShow = [&](const QString&) {
    dateShown = form.meDAT->displayText();
    timeShown = form.meHOR->displayText();
  };
  Click(form.Button31);
  EXPECT_EQ(messages.shown, Texts({"Relógio configurado!!"}));
  EXPECT_EQ(dateShown, QStringLiteral("07/12/26"));
  EXPECT_EQ(timeShown, QStringLiteral("14:05:09"));
  ExpectClock(ControllerClock(), {7, 12, 26, 1, 14, 5, 9});
}

TEST_F(BasicClockTest, GravaSOFillsTheEditsEvenWithThePortMissing) {
  form.PcLocalTime = [] { return kPcTime; };
  SelectMissingPort();
  Click(form.Button31);
  EXPECT_EQ(form.meDAT->displayText(), QStringLiteral("07/12/26"));
  EXPECT_EQ(form.meHOR->displayText(), QStringLiteral("14:05:09"));
  EXPECT_EQ(messages.shown, Texts({"Erro ao abrir serial!!"}));
  EXPECT_EQ(Commands(), "");
}

}  // namespace
}  // namespace zm48d::testing
