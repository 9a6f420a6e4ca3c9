#include "app/message_sink.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "operations/operator_texts.h"

namespace zm48d {

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

void QtMessageSink::Show(const QString& text) { ShowBox(parent_, QMessageBox::NoIcon, text); }

void QtMessageSink::ShowError(const QString& text) {
  ShowBox(parent_, QMessageBox::Critical, text);
}

bool QtMessageSink::Ask(const QString& question) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), question,
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.button(QMessageBox::Yes)->setText(FromUtf8(text::kYes));
  box.button(QMessageBox::No)->setText(FromUtf8(text::kNo));
  // A stray Enter or Escape must not destroy anything.
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zm48d
