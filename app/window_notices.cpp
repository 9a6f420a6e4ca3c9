#include "app/window_notices.h"

#include <string>
#include <string_view>

#include <QFile>
#include <QFileInfo>

#include "operations/operator_texts.h"

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

// The folder was chosen a moment ago: the file's name says enough.
void WindowNotices::DescriptionsNotKept(std::string_view path, ops::DescriptionsLost why) {
  const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
  const QString name = QFileInfo(QFile::decodeName(bytes)).fileName();
  const std::string_view reason = why == ops::DescriptionsLost::kUnreadable
                                      ? text::kEarlierFileUnreadable
                                      : text::kEarlierFileIncompatible;
  std::string& note = status_.Tally().note;
  if (!note.empty()) note += "; ";
  note += name.toStdString() + std::string(text::kDescriptionsNotKept) + std::string(reason) +
          std::string(text::kDescriptionsNotKeptEnd);
}

}  // namespace zm48d
