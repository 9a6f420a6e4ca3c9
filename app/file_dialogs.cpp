#include "app/file_dialogs.h"

#include <QFileDialog>

namespace zm48d {

namespace {

const QString kTextFilter = QStringLiteral("txt (*.txt)");

std::optional<QString> Chosen(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  return name;
}

}  // namespace

std::optional<QString> QtFileDialogs::SaveFileName(const QString& lastName) {
  return Chosen(QFileDialog::getSaveFileName(parent_, QString(), lastName, kTextFilter, nullptr,
                                             QFileDialog::DontConfirmOverwrite));
}

std::optional<QString> QtFileDialogs::OpenFileName(const QString& lastName) {
  return Chosen(QFileDialog::getOpenFileName(parent_, QString(), lastName, kTextFilter));
}

bool SharedFileDialog::Execute() {
  const auto chosen = kind_ == Kind::kSave ? dialogs_.SaveFileName(fileName_)
                                           : dialogs_.OpenFileName(fileName_);
  if (!chosen) return false;
  fileName_ = *chosen;
  return true;
}

}  // namespace zm48d
