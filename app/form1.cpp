#include "app/form1.h"

#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "app/handler_guard.h"

namespace zm48d {

namespace {

constexpr int kTimerIntervalMs = 1000;
const QRect kWindowGeometry(159, 107, 696, 502);

}  // namespace

TForm1::TForm1(SerialLink& device, MessageSink& messages, FileDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      sdARQ(dialogs, SharedFileDialog::Kind::kSave),
      odARQ(dialogs, SharedFileDialog::Kind::kOpen),
      fdPASTA(dialogs, SharedFileDialog::Kind::kFolder),
      link_(device),
      messages_(messages) {
  BuildWindow();
  BuildConfigPage();
  BuildBasicPage();
  BuildGroupsPage();
  BuildTagsPage();
  BuildHolidaysPage();
  BuildTxPage();
  BuildStackPage();
  BuildOnlinePage();
  BuildControllerMenu();
  PageControl1->setCurrentWidget(TabSheet8);
  ConnectHandlers();
}

TForm1::~TForm1() = default;

void TForm1::BuildWindow() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Terminal de Testes ZM48D"));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSize(8);
  setFont(font);
  setGeometry(kWindowGeometry);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kTimerIntervalMs);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  setCentralWidget(PageControl1);
  const QString captions[] = {
      QStringLiteral("Config"), QStringLiteral("Funções básicas"), QStringLiteral("Grupos"),
      QStringLiteral("Cadastro"), QStringLiteral("Feriados"), QStringLiteral("TX"),
      QStringLiteral("Pilha"), QStringLiteral("Leitura OnLine")};
  QWidget** sheets[] = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4,
                        &TabSheet5, &TabSheet6, &TabSheet7, &TabSheet8};
  for (int i = 0; i < 8; ++i) {
    *sheets[i] = new QWidget;
    (*sheets[i])->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
    PageControl1->addTab(*sheets[i], captions[i]);
  }
}

void TForm1::OnClick(QPushButton* button, void (TForm1::*handler)()) {
  connect(button, &QPushButton::clicked, this,
          [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
}

// The four relay buttons share one handler; each button's tag is its relay number.
void TForm1::ConnectRelayButtons() {
  for (QPushButton* button : {Button2, Button3, Button4, Button5}) {
    connect(button, &QPushButton::clicked, this, [this, button] {
      Guarded([this, button] { Button2Click(button->property("tag").toInt()); });
    });
  }
}

// Buttons without a handler ("Ler do Leitor", "Ler do leitor", "Excluir" of the
// tag list, "Ler lista do aparelho") are left unconnected on purpose.
void TForm1::ConnectHandlers() {
  connect(cbSER, &QComboBox::activated, this, [this] { Guarded([this] { cbSERChange(); }); });
  connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
  ConnectRelayButtons();
  const std::pair<QPushButton*, void (TForm1::*)()> clicks[] = {
      {Button1, &TForm1::Button1Click},   {Button6, &TForm1::Button6Click},
      {Button7, &TForm1::Button7Click},   {Button8, &TForm1::Button8Click},
      {Button9, &TForm1::Button9Click},   {Button10, &TForm1::Button10Click},
      {Button11, &TForm1::Button11Click}, {Button12, &TForm1::Button12Click},
      {Button13, &TForm1::Button13Click}, {Button14, &TForm1::Button14Click},
      {Button16, &TForm1::Button16Click}, {Button18, &TForm1::Button18Click},
      {Button19, &TForm1::Button19Click}, {Button21, &TForm1::Button21Click},
      {Button23, &TForm1::Button23Click}, {Button24, &TForm1::Button24Click},
      {Button25, &TForm1::Button25Click}, {Button26, &TForm1::Button26Click},
      {Button27, &TForm1::Button27Click}, {Button28, &TForm1::Button28Click},
      {Button29, &TForm1::Button29Click}, {Button30, &TForm1::Button30Click},
      {Button31, &TForm1::Button31Click}, {Button32, &TForm1::Button32Click},
      {Button33, &TForm1::Button33Click}, {Button34, &TForm1::Button34Click},
      {Button35, &TForm1::Button35Click}, {Button36, &TForm1::Button36Click},
      {Button37, &TForm1::Button37Click}, {Button38, &TForm1::Button38Click},
      {Button39, &TForm1::Button39Click}, {Button40, &TForm1::Button40Click},
      {Button41, &TForm1::Button41Click}, {Button42, &TForm1::Button42Click},
      {Button43, &TForm1::Button43Click}, {Button44, &TForm1::Button44Click},
      {Button45, &TForm1::Button45Click},
  };
  for (const auto& [button, handler] : clicks) OnClick(button, handler);
}

void TForm1::Guarded(const std::function<void()>& body) {
  RunHandler(messages_, link_.serial, body);
}

// The defaults are given once, at the first activation: coming back to the window
// from a message box, a file dialog or another program does not give them again.
void TForm1::FirstActivation() {
  if (activated_) return;
  activated_ = true;
  Guarded([this] { FormActivate(); });
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FirstActivation();
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FirstActivation();
}

}  // namespace zm48d
