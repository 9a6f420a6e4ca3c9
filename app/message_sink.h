#pragma once
// Where the window's messages go: modal boxes with one OK button for the operator,
// a recorder in the window tests.
#include <QPointer>
#include <QString>
#include <QWidget>

#include <string_view>

namespace zm48d {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // A handler's own message ("Erro!!", "Gravação concluída com sucesso!", ...).
  virtual void Show(const QString& text) = 0;
  // A failure's message, with what the line carried before it for "Detalhes";
  // no details show as Show does.
  virtual void ShowFailure(const QString& text, const QString& details) {
    (void)details;
    Show(text);
  }
  // The error box for an error that ended a handler, with the runtime's text.
  virtual void ShowError(const QString& text) = 0;
  // A question before a step that destroys or replaces what the operator has:
  // true only when the operator answers "Sim".
  virtual bool Ask(const QString& question) = 0;
};

// Modal QMessageBox with an OK button, over the main window once it is known,
// titled with the window's caption and wide enough to show it whole.
class QtMessageSink final : public MessageSink {
 public:
  explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Show(const QString& text) override;
  void ShowFailure(const QString& text, const QString& details) override;
  void ShowError(const QString& text) override;
  // "Sim" / "Não", "Não" the default and the Escape button.
  bool Ask(const QString& question) override;

 private:
  QPointer<QWidget> parent_;
};

// The caption of the main window, and the title of every box it shows.
inline constexpr char kWindowCaption[] = "Terminal de Testes ZM48D";

// UTF-8 text of the operations as the window's string.
QString FromUtf8(std::string_view text);

}  // namespace zm48d
