// "TX" and "Enviar lista para o aparelho": the files the controller is loaded
// from, the room they leave for the event stack, and sending them.
#include <string>

#include <QLabel>
#include <QLineEdit>

#include "app/file_paths.h"
#include "app/form1.h"
#include "app/hourglass.h"
#include "operations/send_sequence.h"
#include "operations/stack_space_calculation.h"

namespace zm48d {

namespace {

// The edits hold file names as the operator sees them; the files are opened by
// the system's own encoding of the name.
std::string PathOf(const QString& text) { return FilePathBytes(text); }
std::string PathOf(const QLineEdit* edit) { return PathOf(edit->text()); }

// Puts the file chosen in the shared open dialog into `edit`; a cancel keeps it.
void ChooseInto(SharedFileDialog& dialog, QLineEdit* edit) {
  if (dialog.Execute()) edit->setText(dialog.FileName());
}

}  // namespace

ops::ConfigurationFiles TForm1::TxPageFiles() const {
  return {PathOf(Edit8), PathOf(Edit9), PathOf(Edit16)};
}

void TForm1::Button14Click() { ChooseInto(odARQ, Edit8); }
void TForm1::Button16Click() { ChooseInto(odARQ, Edit9); }
void TForm1::Button38Click() { ChooseInto(odARQ, Edit16); }

// "Calcular espaço para pilha": only the label changes, and only when a count
// came out; every other way out leaves the previous caption.
void TForm1::Button32Click() {
  const ops::StackSpaceCalculation result = ops::CalculateStackSpace(PathOf(Edit8), PathOf(Edit9));
  if (result.space) {
    lbPIL->setText(FromUtf8(ops::StackSpaceCaption(*result.space)));
  } else {
    messages_.Show(FromUtf8(result.message));
  }
}

// "Enviar para o aparelho": rules, tag list, then the memory notice, each in a
// port cycle of its own; no success message at any point.
void TForm1::Button33Click() {
  const Hourglass hourglass;
  ops::RunSendSequence(Session(), TxPageFiles());
}

// "Enviar lista para o aparelho" (on "Cadastro"): the file chosen in the save
// dialog, not the grid. Only a port that does not open is reported.
void TForm1::Button35Click() {
  if (!sdARQ.Execute()) return;
  ops::SendTagListFile(Session(), PathOf(sdARQ.FileName()));
}

}  // namespace zm48d
