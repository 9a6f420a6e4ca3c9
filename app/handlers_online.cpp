// "Leitura OnLine": while the reading runs the port stays open and every tick of
// Timer1 polls the controller's readers once and appends one line to Memo1.
#include <array>
#include <string>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "app/form1.h"
#include "protocol/online_reading.h"

namespace zm48d {

namespace {

const QString kStartCaption = QStringLiteral("Iniciar Leitura");
const QString kStopCaption = QStringLiteral("Parar Leitura");
const QString kOpenFailed = QStringLiteral("Erro ao abrir porta serial");
const QString kReadFailed = QStringLiteral("Erro de leitura!!");
const QString kSeparator = QStringLiteral(" - ");

// Every entry followed by " - ", the last one included.
QString OnlineLine(const std::array<std::string, 8>& entries) {
  QString line;
  for (const std::string& entry : entries) line += QString::fromStdString(entry) + kSeparator;
  return line;
}

}  // namespace

// Starting opens the port and keeps it open; stopping only lowers the flag, and
// the next tick, after one more poll, ends the reading.
void TForm1::Button44Click() {
  if (Button44->text() != kStartCaption) {
    OnlineReadingActive = false;
    return;
  }
  if (!OpenPort(QString())) {
    Memo1->appendPlainText(kOpenFailed);
    return;
  }
  Button44->setText(kStopCaption);
  Timer1->start();
  OnlineReadingActive = true;
}

void TForm1::Button45Click() { Memo1->clear(); }

// The timer is off while the poll waits for the controller, so ticks never
// overlap and the next one comes a whole interval after this one ends. A failed
// poll is logged and the reading goes on.
void TForm1::Timer1Timer() {
  Timer1->stop();
  std::array<std::string, 8> entries;
  const bool ok = ReadOnline(link_, /*flag=*/false, entries);
  Memo1->appendPlainText(ok ? OnlineLine(entries) : kReadFailed);
  if (OnlineReadingActive) {
    Timer1->start();
    return;
  }
  Button44->setText(kStartCaption);
  SerialClose(link_.serial);
}

}  // namespace zm48d
