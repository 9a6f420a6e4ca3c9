// The menu bar above the pages. Each menu is built by its own function here and
// runs its entries through the window's handlers like a button.
#include <QMenu>
#include <QMenuBar>

#include "app/form1.h"

namespace zm48d {

namespace {

QAction* NewEntry(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace

// "Controlador": what the controller holds, saved or compared; nothing is
// written to the controller from here.
void TForm1::BuildMenus() {
  mnCONTROLADOR = menuBar()->addMenu(QStringLiteral("Controlador"));
  mnCONTROLADOR->setObjectName(QStringLiteral("mnCONTROLADOR"));
  miSALVAR = NewEntry(mnCONTROLADOR, "miSALVAR", QStringLiteral("Salvar cópia do controlador..."));
  miVERIFICAR = NewEntry(mnCONTROLADOR, "miVERIFICAR", QStringLiteral("Verificar controlador"));
  connect(miSALVAR, &QAction::triggered, this, [this] { Guarded([this] { miSALVARClick(); }); });
  connect(miVERIFICAR, &QAction::triggered, this, [this] { Guarded([this] { miVERIFICARClick(); }); });
}

}  // namespace zm48d
