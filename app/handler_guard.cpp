#include "app/handler_guard.h"

#include <exception>

namespace zm48d {

namespace {

void Report(MessageSink& messages, SerialPort& port, const QString& text) noexcept {
  try {
    SerialClose(port);
    messages.ShowError(text);
  } catch (...) {
    // Nothing is left to report to: the error box itself failed.
  }
}

}  // namespace

void RunHandler(MessageSink& messages, SerialPort& port, const std::function<void()>& body) noexcept {
  try {
    body();
  } catch (const std::exception& error) {
    Report(messages, port, QString::fromUtf8(error.what()));
  } catch (...) {
    Report(messages, port, QStringLiteral("Unknown error"));
  }
}

}  // namespace zm48d
