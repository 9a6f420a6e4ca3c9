#include "app/ports_dialog.h"

#include <string>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/widgets.h"
#include "operations/operator_texts.h"
#include "operations/port_name_refusal.h"

namespace zm48d {

namespace {

enum Column { kPortColumn, kNameColumn, kOriginColumn, kColumnCount };

QTableWidget* NewPortTable(QWidget* parent) {
  auto* table = new QTableWidget(kComPortCount, kColumnCount, parent);
  table->setObjectName(QStringLiteral("sgPORTAS"));
  table->setHorizontalHeaderLabels(
      {QStringLiteral("Porta"), QStringLiteral("Dispositivo ou URL"), QStringLiteral("Origem")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->horizontalHeader()->setSectionResizeMode(kPortColumn, QHeaderView::ResizeToContents);
  table->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
  table->horizontalHeader()->setSectionResizeMode(kOriginColumn, QHeaderView::ResizeToContents);
  // All eight ports in sight, with room for a long URL, so nothing scrolls.
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setMinimumWidth(table->fontMetrics().horizontalAdvance(QStringLiteral(
                             "COM 8  rfc2217://controlador-portaria:4001  nesta sessão")) +
                         48);
  for (int row = 0; row < kComPortCount; ++row) {
    for (int column = 0; column < kColumnCount; ++column) {
      table->setItem(row, column, new QTableWidgetItem);
    }
    table->item(row, kPortColumn)->setText(QStringLiteral("COM %1").arg(row + 1));
  }
  table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                        table->verticalHeader()->length() + 2 * table->frameWidth());
  return table;
}

}  // namespace

PortsDialog::PortsDialog(ComPortNames& names, MessageSink& messages, QWidget* parent)
    : QDialog(parent), names_(names), messages_(messages) {
  setObjectName(QStringLiteral("fmPORTAS"));
  setWindowTitle(QStringLiteral("Portas"));
  sgPORTAS = NewPortTable(this);
  lbDICA = new QLabel(FromUtf8(text::kPortNameHint), this);
  lbDICA->setObjectName(QStringLiteral("lbDICA"));
  edNOME = new QLineEdit(this);
  edNOME->setObjectName(QStringLiteral("edNOME"));
  btALTERAR = NewDialogButton(this, "btALTERAR", QStringLiteral("Alterar"));
  btRESTAURAR = NewDialogButton(this, "btRESTAURAR", QStringLiteral("Restaurar padrão"));
  btFECHAR = NewDialogButton(this, "btFECHAR", QStringLiteral("Fechar"));

  auto* edit = new QHBoxLayout;
  edit->addWidget(edNOME, 1);
  edit->addWidget(btALTERAR);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btRESTAURAR);
  buttons->addStretch(1);
  buttons->addWidget(btFECHAR);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sgPORTAS);
  layout->addWidget(lbDICA);
  layout->addLayout(edit);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // a small table: nothing to gain by resizing

  connect(sgPORTAS, &QTableWidget::itemSelectionChanged, this, [this] { ShowSelected(); });
  connect(edNOME, &QLineEdit::returnPressed, this, [this] { btALTERARClick(); });
  connect(btALTERAR, &QPushButton::clicked, this, [this] { btALTERARClick(); });
  connect(btRESTAURAR, &QPushButton::clicked, this, [this] { btRESTAURARClick(); });
  connect(btFECHAR, &QPushButton::clicked, this, &QDialog::accept);
  Refresh();
  sgPORTAS->selectRow(0);
}

void PortsDialog::Refresh() {
  for (int row = 0; row < kComPortCount; ++row) {
    const int port = row + 1;
    sgPORTAS->item(row, kNameColumn)->setText(FromUtf8(names_.NameOf(port)));
    sgPORTAS->item(row, kOriginColumn)
        ->setText(FromUtf8(names_.IsAssigned(port) ? text::kPortThisSession : text::kPortDefault));
  }
  ShowSelected();
}

int PortsDialog::SelectedPort() const {
  const int row = sgPORTAS->currentRow();
  return row < 0 ? 1 : row + 1;
}

void PortsDialog::ShowSelected() { edNOME->setText(FromUtf8(names_.NameOf(SelectedPort()))); }

void PortsDialog::btALTERARClick() {
  const std::string name = edNOME->text().trimmed().toStdString();
  if (const std::string refusal = ops::PortNameRefusal(name); !refusal.empty()) {
    messages_.Show(FromUtf8(refusal));
    return;
  }
  names_.Assign(SelectedPort(), name);
  Refresh();
}

void PortsDialog::btRESTAURARClick() {
  names_.Assign(SelectedPort(), {});
  Refresh();
}

}  // namespace zm48d
