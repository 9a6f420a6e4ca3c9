// The menu bar above the pages; the pages themselves keep their controls.
#include <algorithm>

#include <QAction>
#include <QMenuBar>
#include <QScreen>

#include "app/form1.h"
#include "app/history_window.h"
#include "app/trace_pane.h"

namespace zm48d {

// "Exibir" -> "Tráfego serial": the trace pane, docked below the pages, off at
// start; "Exibir" -> "Histórico": the stored events in a window of their own.
void TForm1::BuildMenus() {
  dwTRAFEGO = new TracePane(dialogs_, this);
  addDockWidget(Qt::BottomDockWidgetArea, dwTRAFEGO);
  dwTRAFEGO->hide();
  // Opening the pane makes the window taller, and closing it gives the room
  // back, so that the pages keep theirs.
  connect(dwTRAFEGO->toggleViewAction(), &QAction::toggled, this, [this](bool shown) {
    if (!isVisible() || isMinimized() || isMaximized() || isFullScreen()) return;
    if (dwTRAFEGO->isFloating()) return;
    const int pane = dwTRAFEGO->sizeHint().height();
    const int room = screen()->availableGeometry().bottom() - frameGeometry().top();
    resize(width(), std::min(height() + (shown ? pane : -pane), std::max(room, minimumHeight())));
  });

  mnEXIBIR = menuBar()->addMenu(QStringLiteral("&Exibir"));
  mnEXIBIR->setObjectName(QStringLiteral("mnEXIBIR"));
  QAction* trace = dwTRAFEGO->toggleViewAction();
  trace->setText(QStringLiteral("&Tráfego serial"));
  trace->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
  mnEXIBIR->addAction(trace);
  miHISTORICO = mnEXIBIR->addAction(QStringLiteral("&Histórico"));
  miHISTORICO->setObjectName(QStringLiteral("miHISTORICO"));
  connect(miHISTORICO, &QAction::triggered, this, [this] { miHISTORICOClick(); });
}

// The history is read afresh each time it is asked for; it stays open beside
// the pages, so the operator can harvest and look again.
void TForm1::miHISTORICOClick() {
  if (fmHISTORICO == nullptr) fmHISTORICO = new HistoryWindow(messages_, dialogs_, this);
  fmHISTORICO->btFILTRARClick();
  fmHISTORICO->show();
  fmHISTORICO->raise();
  fmHISTORICO->activateWindow();
}

}  // namespace zm48d
