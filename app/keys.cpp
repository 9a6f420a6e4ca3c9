// The window from the keyboard: Enter presses the button that has the focus
// (as Space does), Ctrl+Enter on "TX" sends the three files, and Ctrl+Tab or
// Ctrl+PgDown (back: Ctrl+Shift+Tab, Ctrl+PgUp) turns the page from wherever the
// focus is, an edit included.
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

#include "app/form1.h"

namespace zm48d {

void TForm1::BuildKeys() {
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(true);
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    auto* send = new QShortcut(keys, this);
    connect(send, &QShortcut::activated, this, [this] {
      if (PageControl1->currentWidget() == TabSheet6) Button33->click();
    });
  }
  const struct {
    QKeySequence keys;
    int step;
  } turns[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
               {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
               {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
  for (const auto& turn : turns) {
    auto* shortcut = new QShortcut(turn.keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, step = turn.step] {
      const int pages = PageControl1->count();
      PageControl1->setCurrentIndex((PageControl1->currentIndex() + step + pages) % pages);
      // As after a click on the tab: the next Tab goes to the page's first control.
      PageControl1->tabBar()->setFocus(Qt::TabFocusReason);
    });
  }
}

}  // namespace zm48d
