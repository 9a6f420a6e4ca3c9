#include "app/handler_guard.h"

#include <exception>

namespace zm48d {

namespace {

// A port this handler opened is released; one that was already open (online
// reading keeps it open between ticks) is left to its owner.
void Report(MessageSink& messages, SerialPort& port, bool wasOpen, const QString& text) noexcept {
  try {
    if (!wasOpen) SerialClose(port);
    messages.ShowError(text);
  } catch (...) {
    // Nothing is left to report to: the error box itself failed.
  }
}

}  // namespace

void RunHandler(MessageSink& messages, SerialPort& port,
                const std::function<void()>& body) noexcept {
  const bool wasOpen = port.open;
  try {
    body();
  } catch (const std::exception& error) {
    Report(messages, port, wasOpen, QString::fromUtf8(error.what()));
  } catch (...) {
    Report(messages, port, wasOpen, QStringLiteral("Unknown error"));
  }
}

}  // namespace zm48d
