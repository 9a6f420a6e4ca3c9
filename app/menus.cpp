// The menu bar above the pages; the pages themselves keep their controls.
#include <QAction>
#include <QMenuBar>

#include "app/form1.h"
#include "app/trace_pane.h"

namespace zm48d {

// "Exibir" -> "Tráfego serial": the trace pane, docked below the pages, off at start.
void TForm1::BuildMenus() {
  dwTRAFEGO = new TracePane(dialogs_, this);
  addDockWidget(Qt::BottomDockWidgetArea, dwTRAFEGO);
  dwTRAFEGO->hide();

  mnEXIBIR = menuBar()->addMenu(QStringLiteral("&Exibir"));
  mnEXIBIR->setObjectName(QStringLiteral("mnEXIBIR"));
  QAction* trace = dwTRAFEGO->toggleViewAction();
  trace->setText(QStringLiteral("&Tráfego serial"));
  trace->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
  mnEXIBIR->addAction(trace);
}

}  // namespace zm48d
