#include "app/message_sink.h"

#include <QCoreApplication>
#include <QMessageBox>

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

void WindowNotices::Show(ops::Tone, std::string_view utf8Text) { messages_.Show(FromUtf8(utf8Text)); }

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zm48d
