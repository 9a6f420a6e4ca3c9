// The window from the keyboard: Enter presses the button that has the focus
// (as Space does), and Ctrl+Enter on "TX" sends the three files.
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

#include "app/form1.h"

namespace zm48d {

void TForm1::BuildKeys() {
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(true);
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Return),
                                  QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    auto* send = new QShortcut(keys, this);
    connect(send, &QShortcut::activated, this, [this] {
      if (PageControl1->currentWidget() == TabSheet6) Button33->click();
    });
  }
}

}  // namespace zm48d
