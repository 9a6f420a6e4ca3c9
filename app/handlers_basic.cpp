// "Funções básicas": relays, relay times, reader timeouts, the head address kept
// in the controller, its clock and the memory reset. Each button is one port
// cycle; texts from the edits are converted only once the port is open, so a bad
// number ends the handler with the port open and the error guard releases it.
#include <array>
#include <cstdint>
#include <string>

#include <QCoreApplication>
#include <QLineEdit>

#include "app/form1.h"
#include "app/hourglass.h"
#include "protocol/commands.h"
#include "protocol/config_block.h"
#include "protocol/hex_text.h"
#include "protocol/reset_memory.h"
#include "protocol/runtime_errors.h"

namespace zm48d {

namespace {

// The relay buttons ask for a fixed pulse; its unit is the controller's.
constexpr std::int32_t kRelayPulseTime = 200;
// The page offers reader timeouts of 1..63 s: only the low six bits are kept.
constexpr int kReaderTimeoutMask = 0x3F;

std::string TextOf(const QLineEdit* edit) { return edit->displayText().toStdString(); }

int IntegerOf(const QLineEdit* edit) { return StrToInt(TextOf(edit)); }

QString Decimal(int value) { return QString::number(value); }

}  // namespace

void TForm1::Button2Click(int relay) {
  if (!OpenPort(QStringLiteral("Erro ao abrir a porta serial!!"))) return;
  PortCloser closer(link_.serial);
  LinkStatus status = link_status::kOk;
  // Whether the controller answered is not reported.
  PulseRelay(link_, static_cast<std::uint8_t>(relay), kRelayPulseTime, status);
}

void TForm1::Button25Click() {
  if (!OpenPort(QStringLiteral("Erro ao abrir a serial!!"))) return;
  PortCloser closer(link_.serial);
  LinkStatus status = link_status::kOk;
  std::array<int, 4> milliseconds{};
  if (!ReadRelayTimes(link_, milliseconds, status)) {
    messages_.Show(QStringLiteral("Erro na leitura dos tempos!"));
    return;
  }
  const std::array<QLineEdit*, 4> edits = {Edit3, Edit4, Edit5, Edit6};
  for (std::size_t i = 0; i < edits.size(); ++i) edits[i]->setText(Decimal(milliseconds[i]));
}

void TForm1::Button26Click() {
  if (!OpenPort(QStringLiteral("Erro ao abrir a serial!!"))) return;
  PortCloser closer(link_.serial);
  // The controller keeps units of 250 ms; the division is the protocol's.
  const std::array<std::uint32_t, 4> milliseconds = {
      static_cast<std::uint32_t>(IntegerOf(Edit3)), static_cast<std::uint32_t>(IntegerOf(Edit4)),
      static_cast<std::uint32_t>(IntegerOf(Edit5)), static_cast<std::uint32_t>(IntegerOf(Edit6))};
  LinkStatus status = link_status::kOk;
  messages_.Show(WriteRelayTimes(link_, milliseconds, status)
                     ? QStringLiteral("Gravação concluída com sucesso!")
                     : QStringLiteral("Erro ao gravar tempo de relé!"));
}

void TForm1::Button27Click() {
  if (!OpenPort(QStringLiteral("Erro ao abrir a serial!!"))) return;
  PortCloser closer(link_.serial);
  LinkStatus status = link_status::kOk;
  std::uint8_t head = 0;
  if (!ReadHeadAddress(link_, head, status)) {
    messages_.Show(QStringLiteral("Erro na leitura!"));
    return;
  }
  Edit7->setText(QString::fromStdString(HexByte(head)));
  messages_.Show(QStringLiteral("Leitura concluída!"));
}

// The head stored in the controller, not the one the terminal talks to: the
// protocol writes it through 0xAA and leaves HeadAddress as it was.
void TForm1::Button28Click() {
  if (!OpenPort(QStringLiteral("Erro ao abrir a serial!!"))) return;
  PortCloser closer(link_.serial);
  const auto head = static_cast<std::uint8_t>(HexTextToInt(TextOf(Edit7)) & 0xFF);
  LinkStatus status = link_status::kOk;
  messages_.Show(WriteHeadAddress(link_, head, status)
                     ? QStringLiteral("Gravação concluída com sucesso!")
                     : QStringLiteral("Erro ao gravar cabeça!"));
}

void TForm1::Button29Click() {
  if (!OpenPort(QStringLiteral("Erro ao abrir serial!!"))) return;
  PortCloser closer(link_.serial);
  LinkStatus status = link_status::kOk;
  std::string time, date, weekday;
  if (!ReadClock(link_, time, date, weekday, status)) {
    messages_.Show(QStringLiteral("Erro ao ler relógio!!"));
    return;
  }
  meDAT->setText(QString::fromStdString(date));
  meHOR->setText(QString::fromStdString(time));
  messages_.Show(QStringLiteral("Dia da semana: ") + QString::fromStdString(weekday));
}

// A failed clock write is not reported.
void TForm1::Button30Click() {
  if (!OpenPort(QStringLiteral("Erro ao abrir serial!!"))) return;
  PortCloser closer(link_.serial);
  const std::string date = TextOf(meDAT);
  const std::string time = TextOf(meHOR);
  LinkStatus status = link_status::kOk;
  if (SetClock(link_, time, date, status)) messages_.Show(QStringLiteral("Relógio configurado!!"));
}

// The edits take the PC's values first, and keep them even when the port does
// not open; they are repainted before the clock is sent.
void TForm1::Button31Click() {
  const LocalDateTime now = PcLocalTime();
  meDAT->setText(QString::fromStdString(DateText(now)));
  meHOR->setText(QString::fromStdString(TimeText(now)));
  QCoreApplication::processEvents();
  Button30Click();
}

// "Lê" converts the four edits too, before it reads and overwrites them: a text
// that is no number ends it before anything is sent.
void TForm1::Button36Click() {
  if (!OpenPort(QStringLiteral("Erro ao abrir a porta serial!!"))) return;
  PortCloser closer(link_.serial);
  const std::array<QLineEdit*, 4> edits = {Edit12, Edit13, Edit14, Edit15};
  for (const QLineEdit* edit : edits) IntegerOf(edit);
  LinkStatus status = link_status::kOk;
  std::array<std::uint8_t, 4> seconds{};
  if (!ReadReaderTimeouts(link_, seconds, status)) {
    messages_.Show(QStringLiteral("Erro na leitura do timeout dos leitores!!"));
    return;
  }
  // Shown as the controller keeps them, also above 63.
  for (std::size_t i = 0; i < edits.size(); ++i) edits[i]->setText(Decimal(seconds[i]));
}

void TForm1::Button37Click() {
  if (!OpenPort(QStringLiteral("Erro ao abrir a porta serial!!"))) return;
  PortCloser closer(link_.serial);
  std::array<std::uint8_t, 4> seconds{};
  const std::array<const QLineEdit*, 4> edits = {Edit12, Edit13, Edit14, Edit15};
  for (std::size_t i = 0; i < edits.size(); ++i) {
    seconds[i] = static_cast<std::uint8_t>(IntegerOf(edits[i]) & kReaderTimeoutMask);
  }
  LinkStatus status = link_status::kOk;
  messages_.Show(WriteReaderTimeouts(link_, seconds, status)
                     ? QStringLiteral("Programação concluída com sucesso!!")
                     : QStringLiteral("Erro na programação do timeout dos leitores!!"));
}

// "Zerar memória": a port that does not open and a reset that succeeds are both
// silent; each failed stage has its own numbered message, and a configuration
// block that could not be read reports both its read and its stage.
void TForm1::Button42Click() {
  const Hourglass hourglass;
  if (!OpenPort(QString())) return;
  PortCloser closer(link_.serial);
  LinkStatus status = link_status::kOk;
  switch (ResetMemory(link_, status)) {
    case ResetMemoryFailure::kNone:
      break;
    case ResetMemoryFailure::kConfigRead:
      messages_.Show(QStringLiteral("Erro1!!"));
      messages_.Show(QStringLiteral("Erro4!!"));
      break;
    case ResetMemoryFailure::kConfigWrite:
      messages_.Show(QStringLiteral("Erro4!!"));
      break;
    case ResetMemoryFailure::kHeaderRead:
      messages_.Show(QStringLiteral("Erro2!!"));
      break;
    case ResetMemoryFailure::kHeaderWrite:
      messages_.Show(QStringLiteral("Erro3!!"));
      break;
  }
}

}  // namespace zm48d
