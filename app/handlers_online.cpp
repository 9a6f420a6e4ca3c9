// "Leitura OnLine": while the reading runs the port stays open and every tick of
// Timer1 polls the controller's readers once and appends one line to Memo1.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "app/form1.h"
#include "operations/online_reading_line.h"
#include "operations/operator_texts.h"

namespace zm48d {

namespace {

const QString kStartCaption = QStringLiteral("Iniciar Leitura");
const QString kStopCaption = QStringLiteral("Parar Leitura");

}  // namespace

// Starting opens the port and keeps it open; stopping only lowers the flag, and
// the next tick, after one more poll, ends the reading.
void TForm1::Button44Click() {
  if (Button44->text() != kStartCaption) {
    OnlineReadingActive = false;
    return;
  }
  if (!ops::StartOnlineReading(Session())) {
    Memo1->appendPlainText(FromUtf8(text::kOnlineOpenFailed));
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
  Memo1->appendPlainText(QString::fromStdString(ops::PollOnlineReading(link_)));
  if (OnlineReadingActive) {
    Timer1->start();
    return;
  }
  Button44->setText(kStartCaption);
  ops::StopOnlineReading(Session());
}

}  // namespace zm48d
