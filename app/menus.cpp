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
  // back, so that the pages keep theirs. The pane takes at most a third of
  // the window: where the screen has no room to grow, the pages keep the rest.
  connect(dwTRAFEGO->toggleViewAction(), &QAction::toggled, this, [this](bool shown) {
    if (!isVisible() || isMinimized() || isMaximized() || isFullScreen()) return;
    if (dwTRAFEGO->isFloating()) return;
    if (!shown) {
      resize(width(), std::max(height() - grownForTrace_, minimumHeight()));
      grownForTrace_ = 0;
      return;
    }
    // What the window's own area may reach: the screen's bottom, less its frame.
    const int frame = frameGeometry().height() - height();
    const int room = screen()->availableGeometry().bottom() + 1 - frameGeometry().top() - frame;
    const int hint = dwTRAFEGO->sizeHint().height();
    const int grown = std::max(std::min(height() + hint, room), minimumHeight());
    const int pane = std::min(hint, grown / 3);
    const int before = height();
    resize(width(), std::min(before + pane, grown));
    grownForTrace_ = height() - before;
    resizeDocks({dwTRAFEGO}, {pane}, Qt::Vertical);
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
