#pragma once
// The "Funções básicas" page over the emulated controller: clicks that check the
// port was released, and views of the controller's memory.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <QComboBox>

#include "emulator/faults.h"
#include "tests/app/form_fixture.h"
#include "tests/support/emulator_memory.h"

namespace zm48d::testing {

class BasicPageTest : public FormTest {
 protected:
  using Bytes = std::vector<std::uint8_t>;
  static constexpr int kConfig = 0x8000;  // the configuration block

  // Every handler of the page ends with the port closed, whatever happened.
  void Click(QPushButton* button) {
    button->click();
    EXPECT_FALSE(form.Link().serial.open) << button->objectName().toStdString();
  }

  void SelectMissingPort() {
    form.cbSER->setCurrentIndex(1);
    emit form.cbSER->activated(1);
  }

  Bytes Settings(int from, int count) { return SettingsSlice(line.emulator, from, count); }
  void SetSettings(int from, const Bytes& bytes) {
    line.emulator.With([&](emu::Controller& c) {
      for (std::size_t i = 0; i < bytes.size(); ++i) c.settings[from + i] = bytes[i];
    });
  }
  Bytes Eeprom(int from, int count) { return EepromSlice(line.emulator, from, count); }

  // The command letters the controller received, in order.
  std::string Commands() {
    std::string letters;
    for (const auto& request : line.emulator.Requests()) {
      letters.push_back(static_cast<char>(request.command));
    }
    return letters;
  }

  static std::vector<QString> Texts(std::initializer_list<const char*> texts) {
    std::vector<QString> out;
    for (const char* text : texts) out.push_back(QString::fromUtf8(text));
    return out;
  }
  static std::vector<QString> Texts(const std::vector<QLineEdit*>& edits) {
    std::vector<QString> out;
    for (const QLineEdit* edit : edits) out.push_back(edit->displayText());
    return out;
  }
  static void SetTexts(const std::vector<QLineEdit*>& edits,
                       std::initializer_list<const char*> texts) {
    auto text = texts.begin();
    for (QLineEdit* edit : edits) edit->setText(QString::fromUtf8(*text++));
  }

  std::vector<QLineEdit*> RelayEdits() { return {form.Edit3, form.Edit4, form.Edit5, form.Edit6}; }
  std::vector<QLineEdit*> ReaderEdits() {
    return {form.Edit12, form.Edit13, form.Edit14, form.Edit15};
  }

  // A read and a write button on a port that does not open: each shows
  // `openFailed` and nothing is sent.
  void ExpectMissingPortStopsBoth(QPushButton* read, QPushButton* write, const char* openFailed) {
    SelectMissingPort();
    line.emulator.ClearRequests();
    Click(read);
    Click(write);
    EXPECT_EQ(std::vector<QString>(messages.shown.end() - 2, messages.shown.end()),
              Texts({openFailed, openFailed}));
    EXPECT_EQ(Commands(), "");
  }

  // Four settings edits with their read and write buttons, and what each
  // failure shows.
  struct SettingsEdits {
    std::vector<QLineEdit*> edits;
    QPushButton* read;
    QPushButton* write;
    const char* writeRefused;
    emu::FaultPlan spoiltRead;
    const char* readFailed;
    const char* openFailed;
  };

  // A refused page write, a spoilt read that leaves the edits as they were,
  // and a port that does not open.
  void ExpectFailures(const SettingsEdits& page) {
    line.emulator.SetFault({emu::Fault::kNotOk, 8, 1, 'G'});  // the page write
    Click(page.write);
    EXPECT_EQ(messages.shown, Texts({page.writeRefused}));

    SetTexts(page.edits, {"5", "6", "7", "8"});
    line.emulator.SetFault(page.spoiltRead);
    Click(page.read);
    EXPECT_EQ(messages.shown.back(), QString::fromUtf8(page.readFailed));
    EXPECT_EQ(Texts(page.edits), Texts({"5", "6", "7", "8"}));

    ExpectMissingPortStopsBoth(page.read, page.write, page.openFailed);
  }
};

}  // namespace zm48d::testing
