#include "app/widgets.h"

#include <algorithm>

namespace zm48d {

namespace {

template <class Widget>
Widget* Placed(Widget* widget, const char* name, QRect at) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(at);
  return widget;
}

}  // namespace

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption, QRect at,
                       bool bold) {
  auto* button = Placed(new QPushButton(caption, parent), name, at);
  if (bold) {
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
  }
  return button;
}

QPushButton* NewDialogButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, QPoint at) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->move(at);
  label->adjustSize();
  return label;
}

QLineEdit* NewEdit(QWidget* parent, const char* name, const QString& text, QRect at) {
  return Placed(new QLineEdit(text, parent), name, at);
}

MaskedEdit* NewMaskedEdit(QWidget* parent, const char* name, const char* mask, int maxLength,
                          QRect at) {
  auto* edit = Placed(new MaskedEdit(mask, parent), name, at);
  edit->setMaxLength(maxLength);
  return edit;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption, QRect at) {
  return Placed(new QCheckBox(caption, parent), name, at);
}

void FitContents(QWidget* widget) {
  constexpr int kMargin = 4;
  const QRect used = widget->childrenRect();
  widget->setMinimumWidth(used.right() + kMargin);
  // A panel of a fixed height keeps it.
  widget->setMinimumHeight(std::min(used.bottom() + kMargin, widget->maximumHeight()));
}

}  // namespace zm48d
