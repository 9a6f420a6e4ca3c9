// The menu "Controlador" on the menu bar above the pages: what the controller
// holds, saved or compared, and its events harvested into the event store (the
// only entry that changes the controller: it empties the stack once stored).
// Its entries run through the window's handlers like a button. "Portas..."
// tells what each "COM n" stands for and lets the operator point one elsewhere
// for this run; "Site..." runs one operation on every controller of a building.
#include <QMenu>
#include <QMenuBar>

#include "app/form1.h"
#include "app/ports_dialog.h"
#include "app/site_window.h"

namespace zm48d {

namespace {

QAction* NewEntry(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace

void TForm1::BuildControllerMenu() {
  mnCONTROLADOR = menuBar()->addMenu(QStringLiteral("&Controlador"));
  mnCONTROLADOR->setObjectName(QStringLiteral("mnCONTROLADOR"));
  miSALVAR = NewEntry(mnCONTROLADOR, "miSALVAR", QStringLiteral("&Salvar cópia do controlador..."));
  miVERIFICAR = NewEntry(mnCONTROLADOR, "miVERIFICAR", QStringLiteral("&Verificar controlador"));
  miCOLETAR = NewEntry(mnCONTROLADOR, "miCOLETAR", QStringLiteral("&Coletar registros"));
  connect(miSALVAR, &QAction::triggered, this,
          [this] { Guarded(QStringLiteral("Salvar cópia"), [this] { miSALVARClick(); }); });
  connect(miVERIFICAR, &QAction::triggered, this, [this] {
    Guarded(QStringLiteral("Verificar controlador"), [this] { miVERIFICARClick(); });
  });
  connect(miCOLETAR, &QAction::triggered, this,
          [this] { Guarded(QStringLiteral("Coletar registros"), [this] { miCOLETARClick(); }); });
  mnCONTROLADOR->addSeparator();
  if (names_ != nullptr) {
    miPORTAS = NewEntry(mnCONTROLADOR, "miPORTAS", QStringLiteral("&Portas..."));
    connect(miPORTAS, &QAction::triggered, this, [this] { miPORTASClick(); });
  }
  // The site's controllers are reached on their own ports, whatever the names say.
  miSITE = NewEntry(mnCONTROLADOR, "miSITE", QStringLiteral("S&ite..."));
  connect(miSITE, &QAction::triggered, this, [this] { miSITEClick(); });
}

// Modal over the window only, and not waited for: the names change as the
// operator clicks, and the next port cycle opens what they say.
void TForm1::miPORTASClick() {
  if (fmPORTAS == nullptr) fmPORTAS = new PortsDialog(*names_, messages_, this);
  fmPORTAS->Refresh();
  fmPORTAS->open();
}

// Beside the pages, not over them: a run on the site goes on while the
// operator uses the window.
void TForm1::miSITEClick() {
  if (fmSITE == nullptr) fmSITE = new SiteWindow(dialogs_, this);
  fmSITE->show();
  fmSITE->raise();
  fmSITE->activateWindow();
}

}  // namespace zm48d
