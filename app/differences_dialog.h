#pragma once
// Where "Verificar controlador" shows what differs between the controller and
// the files: a modal dialog with the lines in a list the operator can copy, a
// recorder in the window tests.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace zm48d {

class DifferencesView {
 public:
  virtual ~DifferencesView() = default;
  virtual void ShowDifferences(const QString& heading, const QStringList& lines) = 0;
};

// A modal dialog: the heading, the lines in a list (Ctrl+C copies the selected
// ones), "Copiar" to put every line on the clipboard, and OK.
class QtDifferencesDialog final : public DifferencesView {
 public:
  explicit QtDifferencesDialog(QWidget* parent = nullptr) : parent_(parent) {}
  void ShowDifferences(const QString& heading, const QStringList& lines) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace zm48d
