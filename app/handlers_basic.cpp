// "Funções básicas": relays, relay times, reader timeouts, the head address kept
// in the controller, its clock and the memory reset. Each button is one
// operation; the edits are read when the operation asks for them, once the port
// is open, so a bad number ends the handler with the port open and the port
// cycle releases it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include <QCoreApplication>
#include <QLineEdit>

#include "app/form1.h"
#include "app/hourglass.h"
#include "app/masked_edit.h"
#include "files/runtime_errors.h"
#include "operations/device_operations.h"
#include "operations/operator_texts.h"
#include "operations/reset_memory.h"
#include "operations/stored_values.h"
#include "protocol/hex_text.h"

namespace zm48d {

namespace {

std::string TextOf(const QLineEdit* edit) { return edit->displayText().toStdString(); }
std::string TextOf(const MaskedEdit* edit) { return edit->MaskedText().toStdString(); }

int IntegerOf(const QLineEdit* edit) { return StrToInt(TextOf(edit)); }

// In order, so that the first edit that holds no number ends the handler.
std::array<int, 4> IntegersOf(const std::array<const QLineEdit*, 4>& edits) {
  std::array<int, 4> values{};
  for (std::size_t i = 0; i < edits.size(); ++i) values[i] = IntegerOf(edits[i]);
  return values;
}

template <class Values>
void ShowDecimal(const std::array<QLineEdit*, 4>& edits, const Values& values) {
  for (std::size_t i = 0; i < edits.size(); ++i) edits[i]->setText(QString::number(values[i]));
}

}  // namespace

// Whether the controller answered is not reported.
void TForm1::Button2Click(int relay) { ops::TriggerRelay(Session(), relay); }

void TForm1::Button25Click() {
  ops::ReadRelayTimesInto(Session(), [this](const std::array<int, 4>& milliseconds) {
    ShowDecimal({Edit3, Edit4, Edit5, Edit6}, milliseconds);
  });
}

// A value the controller's byte of 250 ms units cannot hold is written cut; the
// status line says what was stored.
void TForm1::Button26Click() {
  std::array<int, 4> typed{};
  const bool written = ops::WriteRelayTimesFrom(Session(), [&] {
    typed = IntegersOf({Edit3, Edit4, Edit5, Edit6});
    ops::RelayTimes milliseconds{};
    for (std::size_t i = 0; i < typed.size(); ++i) {
      milliseconds[i] = static_cast<std::uint32_t>(typed[i]);
    }
    return milliseconds;
  });
  if (written) status_.Tally().note = ops::RelayTimesCutNote(ops::StoredRelayTimes(typed));
}

void TForm1::Button27Click() {
  ops::ReadHeadAddressInto(Session(), [this](std::uint8_t head) {
    Edit7->setText(QString::fromStdString(HexByte(head)));
  });
}

// The head stored in the controller, not the one the terminal talks to.
void TForm1::Button28Click() {
  ops::ChangeHeadAddress(Session(), static_cast<std::uint8_t>(HexTextToInt(TextOf(Edit7)) & 0xFF));
}

void TForm1::Button29Click() {
  ops::ReadClockInto(Session(), [this](const ops::ClockReading& clock) {
    meDAT->setText(QString::fromStdString(clock.date));
    meHOR->setText(QString::fromStdString(clock.time));
  });
}

// A failed clock write is not reported. What was typed is sent as it is; the
// status line says when it names no real day or time.
void TForm1::Button30Click() {
  ops::ClockSetting typed;
  const bool set = ops::SetClockFrom(Session(), [&] {
    typed = {TextOf(meDAT), TextOf(meHOR)};
    return typed;
  });
  if (set && !ops::IsCalendarTime(typed)) {
    status_.Tally().note = std::string(text::kClockNotOnTheCalendar);
  }
}

// The edits take the PC's values first, and keep them even when the port does
// not open; they are repainted before the clock is sent.
void TForm1::Button31Click() {
  const ops::ClockSetting now = ops::PcClockSetting(PcLocalTime());
  meDAT->setText(QString::fromStdString(now.date));
  meHOR->setText(QString::fromStdString(now.time));
  QCoreApplication::processEvents();
  Button30Click();
}

// "Lê" converts the four edits too, before it reads and overwrites them: a text
// that is no number ends it before anything is sent.
void TForm1::Button36Click() {
  const std::array<QLineEdit*, 4> edits = {Edit12, Edit13, Edit14, Edit15};
  ops::ReadReaderTimeoutsInto(
      Session(),
      [&] {
        for (const QLineEdit* edit : edits) IntegerOf(edit);
      },
      [&](const std::array<std::uint8_t, 4>& seconds) { ShowDecimal(edits, seconds); });
}

// Timeouts are cut to six bits; the status line says what was stored.
void TForm1::Button37Click() {
  ops::ReaderTimeouts typed{};
  const bool written = ops::WriteReaderTimeoutsFrom(Session(), [&] {
    typed = IntegersOf({Edit12, Edit13, Edit14, Edit15});
    return typed;
  });
  if (written) status_.Tally().note = ops::ReaderTimeoutsCutNote(ops::StoredReaderTimeouts(typed));
}

// "Zerar memória": asked first, since one click empties the controller's tag
// list, rules and events; on "Não" the port is not even opened. A port that does
// not open and a reset that succeeds are both silent.
void TForm1::Button42Click() {
  if (!messages_.Ask(FromUtf8(text::kResetMemoryQuestion))) return;
  const Hourglass hourglass;
  ops::ResetControllerMemory(Session());
}

}  // namespace zm48d
