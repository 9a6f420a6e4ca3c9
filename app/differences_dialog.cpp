#include "app/differences_dialog.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zm48d {

namespace {

const QSize kDialogSize(560, 360);

void CopyToClipboard(const QStringList& lines) {
  QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

// The selected rows in the order they stand in the list.
QStringList SelectedLines(const QListWidget& list) {
  QStringList lines;
  for (int row = 0; row < list.count(); ++row) {
    if (list.item(row)->isSelected()) lines << list.item(row)->text();
  }
  return lines;
}

}  // namespace

void QtDifferencesDialog::ShowDifferences(const QString& heading, const QStringList& lines) {
  QDialog dialog(parent_);
  dialog.setObjectName(QStringLiteral("dlgDIFERENCAS"));
  dialog.setWindowTitle(QStringLiteral("Verificar controlador"));
  dialog.resize(kDialogSize);

  auto* list = new QListWidget(&dialog);
  list->setObjectName(QStringLiteral("lbDIFERENCAS"));
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->addItems(lines);
  auto* copySelected = new QAction(list);
  copySelected->setShortcut(QKeySequence::Copy);
  copySelected->setShortcutContext(Qt::WidgetShortcut);
  list->addAction(copySelected);
  QObject::connect(copySelected, &QAction::triggered, list,
                   [list] { CopyToClipboard(SelectedLines(*list)); });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QPushButton* copy = buttons->addButton(QStringLiteral("Copiar"), QDialogButtonBox::ActionRole);
  copy->setObjectName(QStringLiteral("btCOPIAR"));
  QObject::connect(copy, &QPushButton::clicked, &dialog, [lines] { CopyToClipboard(lines); });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);

  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(heading, &dialog));
  layout->addWidget(list, 1);
  layout->addWidget(buttons);
  dialog.exec();
}

}  // namespace zm48d
