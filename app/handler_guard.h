#pragma once
// Every operator action runs through RunHandler: an error that the handler does
// not catch itself (a text that is not a whole number, a missing line in a file, a
// file that cannot be opened) ends the handler, a port it opened is released and
// the error's text is shown in the error box. The program keeps running; a port
// that online reading held before the handler stays with the reading.
#include <functional>

#include "app/message_sink.h"
#include "link/serial_port.h"

namespace zm48d {

void RunHandler(MessageSink& messages, SerialPort& port,
                const std::function<void()>& body) noexcept;

}  // namespace zm48d
