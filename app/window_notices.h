#pragma once
// The operations' texts in the window: every tone alike in a message box, the
// failures and the progress also counted on the status line, and a backup's
// descriptions that could not be kept there alone. A failure's box carries the
// line's last frames as its details.
#include <functional>
#include <string_view>
#include <utility>

#include <QString>

#include "app/message_sink.h"
#include "app/status_line.h"
#include "operations/session.h"

namespace zm48d {

class WindowNotices final : public ops::Notices {
 public:
  // `lastFrames`: the trace lines that go with a failure, asked for when one comes.
  WindowNotices(MessageSink& messages, StatusLine& status, std::function<QString()> lastFrames)
      : messages_(messages), status_(status), lastFrames_(std::move(lastFrames)) {}

  void Show(ops::Tone tone, std::string_view utf8Text) override;
  void Progress(std::string_view utf8Text) override;
  void PortNotOpened(int portNumber) override;
  void DescriptionsNotKept(std::string_view path, ops::DescriptionsLost why) override;

 private:
  MessageSink& messages_;
  StatusLine& status_;
  std::function<QString()> lastFrames_;
};

}  // namespace zm48d
