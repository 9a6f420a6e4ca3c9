#include "app/form1.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/handler_guard.h"
#include "app/trace_pane.h"
#include "app/window_geometry.h"
#include "operations/open_failure_reason.h"

namespace zm48d {

namespace {

constexpr int kTimerIntervalMs = 1000;
// The frames a failure's message box shows under "Detalhes".
constexpr int kFailureDetailLines = 20;
const QRect kWindowGeometry(159, 107, 696, 502);
// Small enough for any screen: what does not fit scrolls.
const QSize kMinimumWindowSize(360, 280);

// A page's controls in a body that scrolls when the page is smaller than they need.
QWidget* NewScrollingBody(QWidget* sheet) {
  auto* scroll = new QScrollArea(sheet);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  // No Tab stop of its own: Tab goes from the page's tab straight to its first control.
  scroll->setFocusPolicy(Qt::NoFocus);
  auto* body = new QWidget;
  scroll->setWidget(body);
  auto* layout = new QVBoxLayout(sheet);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
  return body;
}

}  // namespace

TForm1::TForm1(SerialLink& device, MessageSink& messages, FileDialogs& dialogs, ComPortNames* names,
               QWidget* parent)
    : QMainWindow(parent),
      sdARQ(dialogs, SharedFileDialog::Kind::kSave),
      odARQ(dialogs, SharedFileDialog::Kind::kOpen),
      fdPASTA(dialogs, SharedFileDialog::Kind::kFolder),
      link_(device),
      names_(names),
      messages_(messages),
      dialogs_(dialogs) {
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
  BuildMenus();
  PageControl1->setCurrentWidget(TabSheet8);
  ConnectHandlers();
  WatchTheLine();
  BuildBusyLook();
  BuildKeys();
}

TForm1::~TForm1() { link_.serial.device->SetIdleHook({}); }

void TForm1::BuildWindow() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSize(8);
  setFont(font);
  setGeometry(kWindowGeometry);
  setMinimumSize(kMinimumWindowSize);
  FitToScreen();
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kTimerIntervalMs);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  setCentralWidget(PageControl1);
  const QString captions[] = {QStringLiteral("Config"),   QStringLiteral("Funções básicas"),
                              QStringLiteral("Grupos"),   QStringLiteral("Cadastro"),
                              QStringLiteral("Feriados"), QStringLiteral("TX"),
                              QStringLiteral("Pilha"),    QStringLiteral("Leitura OnLine")};
  QWidget** sheets[] = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4,
                        &TabSheet5, &TabSheet6, &TabSheet7, &TabSheet8};
  for (int i = 0; i < 8; ++i) {
    *sheets[i] = new QWidget;
    (*sheets[i])->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
    pageBodies_[static_cast<std::size_t>(i)] = NewScrollingBody(*sheets[i]);
    PageControl1->addTab(*sheets[i], captions[i]);
  }
}

// Every frame, and every wait of the link, lets the window repaint while it is
// busy; the trace pane and the status line count what crosses the line.
void TForm1::WatchTheLine() {
  link_.serial.device->SetIdleHook([this] { busy_.Pump(); });
  link_.observer = [this](FrameDirection direction, std::span<const std::uint8_t> frame) {
    if (direction == FrameDirection::kSent) ++status_.Tally().framesSent;
    dwTRAFEGO->Frame(direction, frame);
    link_.serial.device->Idle();  // the hook: busy_.Pump(), unless the line holds it
  };
  link_.statusObserver = [this](FrameDirection direction, LinkStatus status) {
    if (status != link_status::kOk) status_.Tally().failedStatus = status;
    dwTRAFEGO->Status(direction, status);
  };
}

// The failing operation's own frames, its last ones when it had many: the frames
// of the operations before it would only mislead.
QString TForm1::LastTraceLines() {
  const auto own = static_cast<int>(
      std::min<std::uint64_t>(dwTRAFEGO->RowsTaken() - traceMark_, kFailureDetailLines));
  return dwTRAFEGO->LastLines(own);
}

void TForm1::OnClick(QPushButton* button, const QString& caption, void (TForm1::*handler)()) {
  connect(button, &QPushButton::clicked, this,
          [this, caption, handler] { Guarded(caption, [this, handler] { (this->*handler)(); }); });
}

// The four relay buttons share one handler; each button's tag is its relay number.
void TForm1::ConnectRelayButtons() {
  for (QPushButton* button : {Button2, Button3, Button4, Button5}) {
    connect(button, &QPushButton::clicked, this, [this, button] {
      Guarded(button->text(), [this, button] { Button2Click(button->property("tag").toInt()); });
    });
  }
}

// Buttons without a handler ("Ler do Leitor", "Ler do leitor", "Excluir" of the
// tag list, "Ler lista do aparelho") are left unconnected on purpose. The
// captions name each operation on the status line.
void TForm1::ConnectHandlers() {
  connect(cbSER, &QComboBox::activated, this,
          [this] { Guarded(QString(), [this] { cbSERChange(); }); });
  // A tick that comes while another operation runs waits for its end, as a
  // window message would.
  connect(Timer1, &QTimer::timeout, this, [this] {
    busy_.WhenIdle(
        [this] { Guarded(QStringLiteral("Leitura OnLine"), [this] { Timer1Timer(); }); });
  });
  // Stopping the reading only lowers a flag: it stays clickable during a poll.
  busy_.KeepLive(Button44);
  ConnectRelayButtons();
  struct Click {
    QPushButton* button;
    const char* caption;
    void (TForm1::*handler)();
  };
  const Click clicks[] = {
      {Button1, "Beep", &TForm1::Button1Click},
      {Button6, "Inserir", &TForm1::Button6Click},
      {Button7, "Excluir", &TForm1::Button7Click},
      {Button8, "Novo", &TForm1::Button8Click},
      {Button9, "Abrir Arquivo", &TForm1::Button9Click},
      {Button10, "Salvar Arquivo", &TForm1::Button10Click},
      {Button11, "Salvar Arquivo", &TForm1::Button11Click},
      {Button12, "Abrir Arquivo", &TForm1::Button12Click},
      {Button13, "Novo", &TForm1::Button13Click},
      {Button14, "Feriados", &TForm1::Button14Click},
      {Button16, "Grupos", &TForm1::Button16Click},
      {Button18, "Último", &TForm1::Button18Click},
      {Button19, "Inserir", &TForm1::Button19Click},
      {Button21, "Novo", &TForm1::Button21Click},
      {Button23, "Abrir Arquivo", &TForm1::Button23Click},
      {Button24, "Salvar Arquivo", &TForm1::Button24Click},
      {Button25, "Tempo de relé: Lê", &TForm1::Button25Click},
      {Button26, "Tempo de relé: Grava", &TForm1::Button26Click},
      {Button27, "Cabeça: Lê", &TForm1::Button27Click},
      {Button28, "Cabeça: Grava", &TForm1::Button28Click},
      {Button29, "Relógio: Lê", &TForm1::Button29Click},
      {Button30, "Relógio: Grava", &TForm1::Button30Click},
      {Button31, "Relógio: Grava S.O", &TForm1::Button31Click},
      {Button32, "Calcular espaço para pilha", &TForm1::Button32Click},
      {Button33, "Enviar para o aparelho", &TForm1::Button33Click},
      {Button34, "Descarregar Registros", &TForm1::Button34Click},
      {Button35, "Enviar lista para o aparelho", &TForm1::Button35Click},
      {Button36, "Timeout leitores: Lê", &TForm1::Button36Click},
      {Button37, "Timeout leitores: Grava", &TForm1::Button37Click},
      {Button38, "Lista de tags", &TForm1::Button38Click},
      {Button39, "Montar lista", &TForm1::Button39Click},
      {Button40, "Salvar pilha em arquivo", &TForm1::Button40Click},
      {Button41, "Configuração padrão", &TForm1::Button41Click},
      {Button42, "Zerar memória", &TForm1::Button42Click},
      {Button43, "Mudar", &TForm1::Button43Click},
      {Button44, "Leitura OnLine", &TForm1::Button44Click},
      {Button45, "Apagar Memo", &TForm1::Button45Click},
  };
  for (const Click& click : clicks) {
    OnClick(click.button, QString::fromUtf8(click.caption), click.handler);
  }
}

// A click the busy window let through (the stop button during a poll) runs
// inside the poll's own scope: it uses no line, so it needs no status line.
void TForm1::Guarded(const QString& caption, const std::function<void()>& body) {
  if (busy_.IsBusy()) {
    RunHandler(messages_, link_.serial, body);
    return;
  }
  const BusyWindow::Scope busy(busy_);
  status_.Begin();
  traceMark_ = dwTRAFEGO->RowsTaken();
  cancelRequested_ = cancelHeldBack_ = false;
  RunHandler(messages_, link_.serial, body);
  status_.Tally().cancelled = cancelHeldBack_;
  // The window's boxes keep their own texts; the status line tells the reason.
  if (const std::optional<int> port = status_.Tally().portNotOpened) {
    status_.Tally().openFailureReason = ops::OpenFailureReason(*port, link_.serial.lastOpenFailure);
  }
  status_.End(caption, PcLocalTime());
}

// The defaults are given once, at the first activation: coming back to the window
// from a message box, a file dialog or another program does not give them again.
void TForm1::FirstActivation() {
  if (activated_) return;
  activated_ = true;
  Guarded(QString(), [this] { FormActivate(); });
}

// The window manager's frame is known once the window is shown: fitted again
// with it, the first time only, so that a window the operator moved stays put.
void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!placed_) {
    placed_ = true;
    FitToScreen();
  }
  FirstActivation();
}

void TForm1::FitToScreen() { FitIntoScreen(*this); }

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FirstActivation();
}

}  // namespace zm48d
