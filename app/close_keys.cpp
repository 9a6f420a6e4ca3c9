#include "app/close_keys.h"

#include <QKeySequence>
#include <QShortcut>

namespace zm48d {

void CloseWithKeys(QWidget& window) {
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    auto* close = new QShortcut(keys, &window);
    QObject::connect(close, &QShortcut::activated, &window, &QWidget::close);
  }
}

}  // namespace zm48d
