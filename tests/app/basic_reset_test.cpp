// "Zerar memória": the question before it, the two blocks it rewrites, its
// numbered error messages, the hourglass while it runs and its silence when the
// port does not open.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include <QCursor>
#include <QGuiApplication>

#include "tests/app/basic_page_fixture.h"

namespace zm48d::testing {
namespace {

using emu::Fault;

class BasicResetTest : public BasicPageTest {
 protected:
  void SetUp() override {
    messages.answer = true;  // "Sim": the reset itself
    line.emulator.With([](emu::Controller& c) {
      for (int i = 0; i < 128; ++i) c.settings[kConfig + i] = static_cast<std::uint8_t>(0x40 + i);
      for (int i = 0; i < 16; ++i) c.eeprom[i] = static_cast<std::uint8_t>(0xC0 + i);
    });
  }

  static Bytes Pattern(int first, int count) {
    Bytes bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<std::uint8_t>(first + i));
    return bytes;
  }
  static Bytes ConfigAsLoaded() { return Pattern(0x40, 128); }
  static Bytes HeaderAsLoaded() { return Pattern(0xC0, 16); }
  static Bytes ConfigAfterReset() {
    Bytes block = ConfigAsLoaded();
    const Bytes tagList = {0xB0, 0x00, 0x00, 0x00};
    std::copy(tagList.begin(), tagList.end(), block.begin() + 10);
    return block;
  }

  // Clicks "Zerar memória", noting whether the hourglass was up while each message showed.
  void Reset() {
    messages.onShow = [this](const QString&) {
      const QCursor* cursor = QGuiApplication::overrideCursor();
      hourglassDuringMessages.push_back(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
    };
    Click(form.Button42);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the hourglass stays up";
  }

  // Resets with `fault` on the line; the messages shown so far are then `shown`.
  void ResetUnder(emu::FaultPlan fault, std::initializer_list<const char*> shown) {
    line.emulator.SetFault(fault);
    Reset();
    EXPECT_EQ(messages.shown, Texts(shown));
  }

  std::vector<bool> hourglassDuringMessages;
};

TEST_F(BasicResetTest, NaoSendsNothingAndLeavesTheMemoryAndTheStatusLineAlone) {
  messages.answer = false;
  Reset();
  EXPECT_EQ(messages.questions,
            Texts({"Zerar a memória do controlador? A lista de tags, os grupos, os feriados e os "
                   "registros serão apagados."}));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Commands(), "");
  EXPECT_EQ(Settings(kConfig, 128), ConfigAsLoaded());
  EXPECT_EQ(Eeprom(0, 16), HeaderAsLoaded());

  // A port that would not open tells on the status line whether it was tried.
  SelectMissingPort();
  const QString statusBefore = form.StatusText();
  Reset();
  EXPECT_EQ(form.StatusText(), statusBefore);
  messages.answer = true;
  Reset();
  EXPECT_TRUE(form.StatusText().contains(QStringLiteral("dispositivo não existe")))
      << form.StatusText().toStdString();
}

TEST_F(BasicResetTest, EmptiesTheTagListAndTheStackHeaderSilently) {
  Reset();
  EXPECT_EQ(messages.questions.size(), 1u);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Settings(kConfig, 128), ConfigAfterReset());
  EXPECT_EQ(Eeprom(0, 16), (Bytes{0x00, 0x00, 0x20, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x20, 0x00,
                                  0x20, 0x00, 0x84, 0xCE, 0xCF}));
  EXPECT_EQ(Commands(), "GGGGGGGGGDD");  // no memory notice
}

TEST_F(BasicResetTest, UnreadableConfigBlockGivesErro1ThenErro4AndWritesNothing) {
  ResetUnder({Fault::kBadChecksum, 3, 1, 'G'}, {"Erro1!!", "Erro4!!"});
  EXPECT_EQ(hourglassDuringMessages, (std::vector<bool>{true, true}));
  EXPECT_EQ(Settings(kConfig, 128), ConfigAsLoaded());
  EXPECT_EQ(Eeprom(0, 16), HeaderAsLoaded());
  EXPECT_EQ(Commands(), "GGGG");
}

TEST_F(BasicResetTest, RefusedConfigWriteGivesErro4Alone) {
  ResetUnder({Fault::kNotOk, 8, 1, 'G'}, {"Erro4!!"});
  EXPECT_EQ(Eeprom(0, 16), HeaderAsLoaded());
  EXPECT_EQ(Commands(), "GGGGGGGGG");
}

TEST_F(BasicResetTest, HeaderStagesGiveErro2AndErro3) {
  ResetUnder({Fault::kBadChecksum, 0, 1, 'D'}, {"Erro2!!"});
  EXPECT_EQ(Settings(kConfig, 128), ConfigAfterReset());  // the first stage stays written
  EXPECT_EQ(Eeprom(0, 16), HeaderAsLoaded());

  ResetUnder({Fault::kNotOk, 1, 1, 'D'}, {"Erro2!!", "Erro3!!"});
}

TEST_F(BasicResetTest, MissingPortShowsNothingAndSendsNothing) {
  SelectMissingPort();
  Reset();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Commands(), "");
  EXPECT_EQ(Settings(kConfig, 128), ConfigAsLoaded());
}

}  // namespace
}  // namespace zm48d::testing
