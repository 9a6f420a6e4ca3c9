// "Config": the serial port and the head address the terminal talks to.
#include <QComboBox>

#include "app/form1.h"
#include "app/widgets.h"

namespace zm48d {

void TForm1::BuildConfigPage() {
  QWidget* page = PageBody(1);
  Label20 = NewLabel(page, "Label20", QStringLiteral("Porta Serial"), {16, 16});
  cbSER = new QComboBox(page);
  cbSER->setObjectName(QStringLiteral("cbSER"));
  cbSER->setEditable(false);
  for (int port = 1; port <= 8; ++port) cbSER->addItem(QStringLiteral("COM %1").arg(port));
  cbSER->setGeometry(16, 32, 145, 21);
  Label21 = NewLabel(page, "Label21", QStringLiteral("Cabeça da comunicação"), {16, 64});
  Edit10 = NewEdit(page, "Edit10", QStringLiteral("AA"), {16, 80, 65, 21});
  Button43 = NewButton(page, "Button43", QStringLiteral("Mudar"), {88, 78, 75, 25});
  FitContents(page);
}

}  // namespace zm48d
