#pragma once
// The window's file dialogs. The editors and the transfer page share one save
// dialog and one open dialog, each of which opens with the name last chosen
// through it; both offer the single filter "txt" (*.txt).
#include <optional>

#include <QPointer>
#include <QString>
#include <QWidget>

namespace zm48d {

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Asks for a file to write, starting from `lastName`; nothing when cancelled.
  virtual std::optional<QString> SaveFileName(const QString& lastName) = 0;
  // Asks for a file to read, starting from `lastName`; nothing when cancelled.
  virtual std::optional<QString> OpenFileName(const QString& lastName) = 0;
  // Asks for a folder, starting from `lastFolder`; nothing when cancelled.
  virtual std::optional<QString> FolderName(const QString& lastFolder) = 0;
  // Asks for a site file (TOML) to read, starting from `lastName`; nothing when cancelled.
  virtual std::optional<QString> SiteFileName(const QString& lastName) = 0;
};

// QFileDialog with the filter "txt (*.txt)" ("site (*.toml)" for a site file), no
// default extension, no overwrite question (the editors replace a file of the
// chosen name without asking).
class QtFileDialogs final : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::optional<QString> SaveFileName(const QString& lastName) override;
  std::optional<QString> OpenFileName(const QString& lastName) override;
  std::optional<QString> FolderName(const QString& lastFolder) override;
  std::optional<QString> SiteFileName(const QString& lastName) override;

 private:
  QPointer<QWidget> parent_;
};

// One of the window's dialog objects (`sdARQ`, `odARQ`, the folder dialog of the
// controller's backup, the site window's).
class SharedFileDialog {
 public:
  enum class Kind { kSave, kOpen, kFolder, kSite };

  SharedFileDialog(FileDialogs& dialogs, Kind kind) : dialogs_(dialogs), kind_(kind) {}

  // Shows the dialog with the last chosen name. True when the operator chose a
  // file (or folder); FileName() then names it. A cancel keeps the previous name.
  bool Execute();
  const QString& FileName() const { return fileName_; }

 private:
  std::optional<QString> Ask();

  FileDialogs& dialogs_;
  Kind kind_;
  QString fileName_;
};

}  // namespace zm48d
