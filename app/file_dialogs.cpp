#include "app/file_dialogs.h"

#include <QFileDialog>

namespace zm48d {

namespace {

const QString kTextFilter = QStringLiteral("txt (*.txt)");
const QString kSiteFilter = QStringLiteral("site (*.toml)");

// The toolkit's own dialog, in the window's language wherever the system's is
// not, with a single filter.
std::optional<QString> Run(QWidget* parent, QFileDialog::AcceptMode mode, const QString& lastName,
                           const QString& filter = kTextFilter) {
  QFileDialog dialog(parent);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  // The open dialog takes a typed name of a file that does not exist too: the
  // handler then meets "Cannot open file" as the runtime reports it.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilter(filter);
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

std::optional<QString> QtFileDialogs::SiteFileName(const QString& lastName) {
  return Run(parent_, QFileDialog::AcceptOpen, lastName, kSiteFilter);
}

// The toolkit's own folder dialog, so that it speaks the window's language
// whatever the system's dialogs do.
std::optional<QString> QtFileDialogs::FolderName(const QString& lastFolder) {
  QFileDialog dialog(parent_, QString(), lastFolder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString folder = dialog.selectedFiles().front();
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

bool SharedFileDialog::Execute() {
  const auto chosen = Ask();
  if (!chosen) return false;
  fileName_ = *chosen;
  return true;
}

std::optional<QString> SharedFileDialog::Ask() {
  switch (kind_) {
    case Kind::kSave: return dialogs_.SaveFileName(fileName_);
    case Kind::kOpen: return dialogs_.OpenFileName(fileName_);
    case Kind::kFolder: return dialogs_.FolderName(fileName_);
    case Kind::kSite: return dialogs_.SiteFileName(fileName_);
  }
  return std::nullopt;
}

}  // namespace zm48d
