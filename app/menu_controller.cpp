// The menu "Controlador" on the menu bar above the pages: what the controller
// holds, saved or compared, and its events harvested into the event store (the
// only entry that changes the controller: it empties the stack once stored).
// Its entries run through the window's handlers like a button. "Portas..."
// tells what each "COM n" stands for and lets the operator point one elsewhere
// for this run.
#include <QMenu>
#include <QMenuBar>

#include "app/form1.h"
#include "app/ports_dialog.h"

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
  miSALVAR = NewEntry(mnCONTROLADOR, "miSALVAR", QStringLiteral("Salvar cópia do controlador..."));
  miVERIFICAR = NewEntry(mnCONTROLADOR, "miVERIFICAR", QStringLiteral("Verificar controlador"));
  miCOLETAR = NewEntry(mnCONTROLADOR, "miCOLETAR", QStringLiteral("Coletar registros"));
  connect(miSALVAR, &QAction::triggered, this,
          [this] { Guarded(QStringLiteral("Salvar cópia"), [this] { miSALVARClick(); }); });
  connect(miVERIFICAR, &QAction::triggered, this,
          [this] { Guarded(QStringLiteral("Verificar controlador"), [this] { miVERIFICARClick(); }); });
  connect(miCOLETAR, &QAction::triggered, this,
          [this] { Guarded(QStringLiteral("Coletar registros"), [this] { miCOLETARClick(); }); });
  if (names_ == nullptr) return;
  mnCONTROLADOR->addSeparator();
  miPORTAS = NewEntry(mnCONTROLADOR, "miPORTAS", QStringLiteral("Portas..."));
  connect(miPORTAS, &QAction::triggered, this, [this] { miPORTASClick(); });
}

// Modal over the window only, and not waited for: the names change as the
// operator clicks, and the next port cycle opens what they say.
void TForm1::miPORTASClick() {
  if (fmPORTAS == nullptr) fmPORTAS = new PortsDialog(*names_, messages_, this);
  fmPORTAS->Refresh();
  fmPORTAS->open();
}

}  // namespace zm48d
