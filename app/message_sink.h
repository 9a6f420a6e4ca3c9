#pragma once
// Where the window's messages go: modal boxes with one OK button for the operator,
// a recorder in the window tests.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "operations/session.h"

namespace zm48d {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // A handler's own message ("Erro!!", "Gravação concluída com sucesso!", ...).
  virtual void Show(const QString& text) = 0;
  // The error box for an error that ended a handler, with the runtime's text.
  virtual void ShowError(const QString& text) = 0;
};

// Modal QMessageBox with an OK button, over the main window once it is known.
class QtMessageSink final : public MessageSink {
 public:
  explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Show(const QString& text) override;
  void ShowError(const QString& text) override;

 private:
  QPointer<QWidget> parent_;
};

// The operations' texts, every tone alike, in the window's message boxes.
class WindowNotices final : public ops::Notices {
 public:
  explicit WindowNotices(MessageSink& messages) : messages_(messages) {}
  void Show(ops::Tone, std::string_view utf8Text) override;

 private:
  MessageSink& messages_;
};

// UTF-8 text of the operations as the window's string.
QString FromUtf8(std::string_view text);

}  // namespace zm48d
