#pragma once
// A window of its own beside the main one (the history, the site) closes from
// the keyboard as a dialog does: Escape, or Ctrl+W.
#include <QWidget>

namespace zm48d {

void CloseWithKeys(QWidget& window);

}  // namespace zm48d
