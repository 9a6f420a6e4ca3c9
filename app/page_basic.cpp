// "Funções básicas": beeper, relays, relay times, reader timeouts, the head
// address stored in the controller, its clock and the memory reset.
#include <QGroupBox>

#include "app/clock_display.h"
#include "app/form1.h"
#include "app/widgets.h"

namespace zm48d {

namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kEditHeight = 21;

QRect ButtonAt(int x, int y) { return {x, y, kButtonWidth, kButtonHeight}; }

QByteArray Numbered(const char* stem, int number) {
  return QByteArray(stem) + QByteArray::number(number);
}

QGroupBox* NewGroupBox(QWidget* parent, const char* name, const QString& caption, QRect at) {
  auto* box = new QGroupBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(at);
  return box;
}

// The four rows of the relay times box or of the reader timeouts box: the
// numbered caption of relay or reader i and its edit, Label<firstLabel + i> and
// Edit<firstEdit + i>.
struct FourRows {
  QLabel** labels[4];
  int firstLabel;
  QString caption;  // "%1" is the relay's or reader's number
  QLineEdit** edits[4];
  int firstEdit;
  QString initial;
  int editWidth;
};

void BuildFourRows(QWidget* box, const FourRows& rows) {
  for (int i = 0; i < 4; ++i) {
    const int y = 20 + 24 * i;
    *rows.labels[i] = NewLabel(box, Numbered("Label", rows.firstLabel + i).constData(),
                               rows.caption.arg(i + 1), {12, y + 3});
    *rows.edits[i] = NewEdit(box, Numbered("Edit", rows.firstEdit + i).constData(), rows.initial,
                             {96, y, rows.editWidth, kEditHeight});
  }
}

// Beep, the clock display and the four relay buttons, whose tags are the relay numbers.
void BuildCommandRow(TForm1& form, QWidget* page) {
  form.Button1 = NewButton(page, "Button1", QStringLiteral("Beep"), ButtonAt(8, 8));
  form.JvxClock1 = new ClockDisplay(page);
  form.JvxClock1->setObjectName(QStringLiteral("JvxClock1"));
  form.JvxClock1->setGeometry(96, 4, 161, 41);
  QPushButton** relays[] = {&form.Button2, &form.Button3, &form.Button4, &form.Button5};
  for (int i = 0; i < 4; ++i) {
    *relays[i] = NewButton(page, Numbered("Button", i + 2).constData(),
                           QStringLiteral("Relé %1").arg(i + 1), ButtonAt(8 + 80 * i, 56));
    (*relays[i])->setProperty("tag", i + 1);
  }
}

void BuildRelayTimes(TForm1& form, QWidget* page) {
  form.GroupBox1 =
      NewGroupBox(page, "GroupBox1", QStringLiteral(" Tempo de Relé "), {8, 92, 257, 176});
  QWidget* box = form.GroupBox1;
  BuildFourRows(box, {.labels = {&form.Label10, &form.Label11, &form.Label12, &form.Label13},
                      .firstLabel = 10,
                      .caption = QStringLiteral("Relé %1 (ms)"),
                      .edits = {&form.Edit3, &form.Edit4, &form.Edit5, &form.Edit6},
                      .firstEdit = 3,
                      .initial = QStringLiteral("1000"),
                      .editWidth = 65});
  form.Label15 = NewLabel(box, "Label15", QStringLiteral("* valor múltiplo de 250ms"), {12, 118});
  form.Button25 = NewButton(box, "Button25", QStringLiteral("Lê"), ButtonAt(12, 140));
  form.Button26 = NewButton(box, "Button26", QStringLiteral("Grava"), ButtonAt(96, 140));
}

void BuildReaderTimeouts(TForm1& form, QWidget* page) {
  form.GroupBox2 = NewGroupBox(page, "GroupBox2", QStringLiteral(" Timeout Leitores (1..63s) "),
                               {276, 92, 225, 176});
  QWidget* box = form.GroupBox2;
  BuildFourRows(box, {.labels = {&form.Label24, &form.Label25, &form.Label26, &form.Label27},
                      .firstLabel = 24,
                      .caption = QStringLiteral("Leitor %1 (s)"),
                      .edits = {&form.Edit12, &form.Edit13, &form.Edit14, &form.Edit15},
                      .firstEdit = 12,
                      .initial = QStringLiteral("1"),
                      .editWidth = 41});
  form.Button36 = NewButton(box, "Button36", QStringLiteral("Lê"), ButtonAt(12, 140));
  form.Button37 = NewButton(box, "Button37", QStringLiteral("Grava"), ButtonAt(96, 140));
}

void BuildHeadAndClock(TForm1& form, QWidget* page) {
  form.Label14 = NewLabel(page, "Label14", QStringLiteral("Cabeça (hexa)"), {8, 280});
  form.Edit7 = NewEdit(page, "Edit7", QStringLiteral("80"), {8, 296, 49, kEditHeight});
  form.Button27 = NewButton(page, "Button27", QStringLiteral("Lê"), ButtonAt(64, 294));
  form.Button28 = NewButton(page, "Button28", QStringLiteral("Grava"), ButtonAt(144, 294));

  form.Label16 = NewLabel(page, "Label16", QStringLiteral("Data"), {8, 330});
  form.Label17 = NewLabel(page, "Label17", QStringLiteral("Hora"), {88, 330});
  form.meDAT = NewMaskedEdit(page, "meDAT", kDateMask, 8, {8, 346, 73, kEditHeight});
  form.meHOR = NewMaskedEdit(page, "meHOR", kTimeMask, 8, {88, 346, 73, kEditHeight});
  form.Button29 = NewButton(page, "Button29", QStringLiteral("Lê"), ButtonAt(168, 344));
  form.Button30 = NewButton(page, "Button30", QStringLiteral("Grava"), ButtonAt(248, 344));
  form.Button31 = NewButton(page, "Button31", QStringLiteral("Grava S.O"), ButtonAt(328, 344));
}

}  // namespace

void TForm1::BuildBasicPage() {
  BuildCommandRow(*this, PageBody(2));
  BuildRelayTimes(*this, PageBody(2));
  BuildReaderTimeouts(*this, PageBody(2));
  BuildHeadAndClock(*this, PageBody(2));
  Button42 = NewButton(PageBody(2), "Button42", QStringLiteral("Zerar memória"), {8, 388, 105, 25});
  FitContents(PageBody(2));
}

}  // namespace zm48d
