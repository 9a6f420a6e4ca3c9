#pragma once
// "Controlador" -> "Portas...": what "COM 1".."COM 8" stand for during this run
// (a serial device or a network URL), and the operator's choice for one of them.
// Nothing is kept when the terminal closes; the next port cycle opens the new name.
#include <QDialog>

#include "app/message_sink.h"
#include "link/com_port_names.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zm48d {

inline constexpr int kComPortCount = 8;

class PortsDialog final : public QDialog {
  Q_OBJECT

 public:
  PortsDialog(ComPortNames& names, MessageSink& messages, QWidget* parent);

  // The table read again from the names.
  void Refresh();
  // "Alterar": the edit's device or URL for the selected port; a URL the terminal
  // cannot reach is refused with a message and changes nothing.
  void btALTERARClick();
  // "Restaurar padrão": the selected port's default again.
  void btRESTAURARClick();

  QTableWidget* sgPORTAS = nullptr;  // "Porta", "Dispositivo ou URL", "Origem"
  QLineEdit* edNOME = nullptr;       // the selected port's name, to change
  QLabel* lbDICA = nullptr;
  QPushButton* btALTERAR = nullptr;
  QPushButton* btRESTAURAR = nullptr;
  QPushButton* btFECHAR = nullptr;

 private:
  // "COM n" of the selected row (the first when none is).
  int SelectedPort() const;
  void ShowSelected();

  ComPortNames& names_;
  MessageSink& messages_;
};

}  // namespace zm48d
