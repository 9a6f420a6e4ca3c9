// "Funções básicas" over the emulated controller: the relay buttons and the
// settings kept in the configuration block (relay times, reader timeouts, the
// controller's own head address), each on success, on a failed answer, with the
// port missing and with an edit that holds no number.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/app/basic_page_fixture.h"

namespace zm48d::testing {
namespace {

using emu::Fault;

// --- Relay buttons ---------------------------------------------------------------

TEST_F(BasicPageTest, EachRelayButtonPulsesItsOwnRelaySilently) {
  for (QPushButton* button : {form.Button2, form.Button3, form.Button4, form.Button5}) {
    Click(button);
  }
  const auto pulses = line.emulator.With([](emu::Controller& c) { return c.relayPulses; });
  const std::vector<std::pair<int, std::string>> expected = {
      {0, "00200"}, {1, "00200"}, {2, "00200"}, {3, "00200"}};
  EXPECT_EQ(pulses, expected);
  const auto requests = line.emulator.Requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[2].data, (Bytes{0x02, '0', '0', '2', '0', '0'}));  // "Relé 3"
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BasicPageTest, RelayFailureIsNotReportedAndMissingPortIs) {
  line.emulator.SetFault({Fault::kBadChecksum});
  Click(form.Button4);
  EXPECT_EQ(Commands(), "C");
  EXPECT_TRUE(messages.shown.empty());

  SelectMissingPort();
  Click(form.Button4);
  EXPECT_EQ(messages.shown, Texts({"Erro ao abrir a porta serial!!"}));
  EXPECT_EQ(Commands(), "C");
}

// --- Relay times -----------------------------------------------------------------

// The controller keeps units of 250 ms in one byte: values round down to a
// multiple of 250 and 256 units wrap to 0.
TEST_F(BasicPageTest, RelayTimesRoundTripInUnitsOf250ms) {
  SetTexts(RelayEdits(), {"1000", "1100", "249", "63750"});
  Click(form.Button26);
  EXPECT_EQ(messages.shown, Texts({"Gravação concluída com sucesso!"}));
  EXPECT_EQ(Settings(kConfig + 6, 4), (Bytes{4, 4, 0, 255}));

  SetTexts(RelayEdits(), {"1", "2", "3", "4"});
  Click(form.Button25);
  EXPECT_EQ(Texts(RelayEdits()), Texts({"1000", "1000", "0", "63750"}));
  EXPECT_EQ(messages.shown.size(), 1u);  // a successful read says nothing

  SetTexts(RelayEdits(), {"64000", "1500", "250", "0"});
  Click(form.Button26);
  EXPECT_EQ(Settings(kConfig + 6, 4), (Bytes{0, 6, 1, 0}));
  Click(form.Button25);
  EXPECT_EQ(Texts(RelayEdits()), Texts({"0", "1500", "250", "0"}));
  // Only bytes 6..9 changed; the head and the tag list fields stayed.
  EXPECT_EQ(Settings(kConfig + 5, 1), Bytes{0x80});
  EXPECT_EQ(Settings(kConfig + 10, 4), (Bytes{0xB0, 0x00, 0x00, 0x00}));
}

TEST_F(BasicPageTest, RelayTimesFailures) {
  ExpectFailures({RelayEdits(),
                  form.Button25,
                  form.Button26,
                  "Erro ao gravar tempo de relé!",
                  {Fault::kBadChecksum, 2, 1, 'G'},  // third frame of the read
                  "Erro na leitura dos tempos!",
                  "Erro ao abrir a serial!!"});
}

TEST_F(BasicPageTest, RelayTimeThatIsNoNumberEndsGravaBeforeAnythingIsSent) {
  form.Edit5->setText("12a");
  Click(form.Button26);
  EXPECT_EQ(messages.errors, Texts({"'12a' is not a valid integer value"}));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Commands(), "");
  EXPECT_EQ(Settings(kConfig + 6, 4), (Bytes{4, 4, 4, 4}));
}

// --- Reader timeouts -------------------------------------------------------------

TEST_F(BasicPageTest, ReaderTimeoutsAreCutToSixBits) {
  SetTexts(ReaderEdits(), {"1", "63", "64", "65"});
  Click(form.Button37);
  EXPECT_EQ(Settings(kConfig + 16, 4), (Bytes{1, 63, 0, 1}));
  SetTexts(ReaderEdits(), {"100", "0", "-1", "127"});
  Click(form.Button37);
  EXPECT_EQ(Settings(kConfig + 16, 4), (Bytes{36, 0, 63, 63}));
  EXPECT_EQ(messages.shown,
            Texts({"Programação concluída com sucesso!!", "Programação concluída com sucesso!!"}));
}

TEST_F(BasicPageTest, ReaderTimeoutsReadShowsTheControllerBytesUnmasked) {
  SetSettings(kConfig + 16, {200, 64, 63, 0});
  Click(form.Button36);
  EXPECT_EQ(Texts(ReaderEdits()), Texts({"200", "64", "63", "0"}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BasicPageTest, ReaderTimeoutsFailures) {
  ExpectFailures({ReaderEdits(),
                  form.Button36,
                  form.Button37,
                  "Erro na programação do timeout dos leitores!!",
                  {Fault::kBadChecksum, 0, 1, 'G'},
                  "Erro na leitura do timeout dos leitores!!",
                  "Erro ao abrir a porta serial!!"});
}

// "Lê" converts the edits too, although it then overwrites them.
TEST_F(BasicPageTest, ReaderTimeoutThatIsNoNumberEndsBothButtons) {
  form.Edit14->setText("12a");
  Click(form.Button36);
  Click(form.Button37);
  EXPECT_EQ(messages.errors,
            Texts({"'12a' is not a valid integer value", "'12a' is not a valid integer value"}));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Commands(), "");
  EXPECT_EQ(form.Edit14->text(), QStringLiteral("12a"));
  EXPECT_EQ(Settings(kConfig + 16, 4), (Bytes{1, 1, 1, 1}));
}

// --- The controller's own head address -------------------------------------------

TEST_F(BasicPageTest, HeadWriteTakesUpperCaseHexDigitsThroughHeadAA) {
  form.Edit10->setText("12");  // the terminal talks to head 0x12 ...
  form.Button43->click();
  struct Case {
    const char* text;
    std::uint8_t stored;
  };
  for (const Case& c : {Case{"80", 0x80}, Case{"1FF", 0xFF}, Case{"7f", 0x07}}) {
    line.emulator.ClearRequests();
    form.Edit7->setText(c.text);
    Click(form.Button28);
    EXPECT_EQ(Settings(kConfig + 5, 1), Bytes{c.stored}) << c.text;
    // ... but the head is always rewritten through 0xAA, and 0x12 stays.
    for (const auto& request : line.emulator.Requests()) EXPECT_EQ(request.head, 0xAA) << c.text;
    EXPECT_EQ(Commands().size(), 9u);
    EXPECT_EQ(form.Link().HeadAddress, 0x12);
  }
  EXPECT_EQ(messages.shown,
            std::vector<QString>(3, QStringLiteral("Gravação concluída com sucesso!")));
}

TEST_F(BasicPageTest, HeadReadShowsTwoUpperCaseDigits) {
  SetSettings(kConfig + 5, {0x0A});
  form.Edit7->setText("zz");
  Click(form.Button27);
  EXPECT_EQ(form.Edit7->text(), QStringLiteral("0A"));
  EXPECT_EQ(messages.shown, Texts({"Leitura concluída!"}));
}

TEST_F(BasicPageTest, HeadFailures) {
  line.emulator.SetFault({Fault::kNotOk, 8, 1, 'G'});
  form.Edit7->setText("33");
  Click(form.Button28);
  EXPECT_EQ(messages.shown, Texts({"Erro ao gravar cabeça!"}));
  EXPECT_EQ(form.Link().HeadAddress, 0xAA);

  line.emulator.SetFault({Fault::kWrongHead, 0, 1, 'G'});
  Click(form.Button27);
  EXPECT_EQ(messages.shown.back(), QStringLiteral("Erro na leitura!"));
  EXPECT_EQ(form.Edit7->text(), QStringLiteral("33"));

  ExpectMissingPortStopsBoth(form.Button27, form.Button28, "Erro ao abrir a serial!!");
}

}  // namespace
}  // namespace zm48d::testing
