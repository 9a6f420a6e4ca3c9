#include "app/file_dialogs.h"

#include <QFileDialog>

namespace zm48d {

namespace {

const QString kTextFilter = QStringLiteral("txt (*.txt)");

// The toolkit's own dialog, in the window's language wherever the system's is
// not, with the single filter "txt".
std::optional<QString> Run(QWidget* parent, QFileDialog::AcceptMode mode, const QString& lastName) {
  QFileDialog dialog(parent);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  // The open dialog takes a typed name of a file that does not exist too: the
  // handler then meets "Cannot open file" as the runtime reports it.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilter(kTextFilter);
  if (!lastName.isEmpty()) dialog.selectFile(lastName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString name = dialog.selectedFiles().front();
  if (name.isEmpty()) return std::nullopt;
  return name;
}

}  // namespace

std::optional<QString> QtFileDialogs::SaveFileName(const QString& lastName) {
  return Run(parent_, QFileDialog::AcceptSave, lastName);
}

std::optional<QString> QtFileDialogs::OpenFileName(const QString& lastName) {
  return Run(parent_, QFileDialog::AcceptOpen, lastName);
}

bool SharedFileDialog::Execute() {
  const auto chosen = kind_ == Kind::kSave ? dialogs_.SaveFileName(fileName_)
                                           : dialogs_.OpenFileName(fileName_);
  if (!chosen) return false;
  fileName_ = *chosen;
  return true;
}

}  // namespace zm48d
