#include "app/window_notices.h"

namespace zm48d {

void WindowNotices::Show(ops::Tone tone, std::string_view utf8Text) {
  if (tone != ops::Tone::kFailure) {
    messages_.Show(FromUtf8(utf8Text));
    return;
  }
  status_.Tally().failureText = std::string(utf8Text);
  messages_.ShowFailure(FromUtf8(utf8Text), lastFrames_());
}

void WindowNotices::Progress(std::string_view utf8Text) { status_.Progress(FromUtf8(utf8Text)); }

void WindowNotices::PortNotOpened(int portNumber) { status_.Tally().portNotOpened = portNumber; }

}  // namespace zm48d
