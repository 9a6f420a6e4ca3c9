#pragma once
// Window tests: one QApplication for the test program (offscreen when no platform
// is chosen), and test doubles that record messages and answer file dialogs.
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "app/file_dialogs.h"
#include "app/message_sink.h"

namespace zm48d::testing {

// Creates the application on first use; construct before any widget.
class WithApplication {
 public:
  WithApplication();
};

class RecordingMessageSink final : public MessageSink {
 public:
  void Show(const QString& text) override { Record(text, {}); }
  void ShowFailure(const QString& text, const QString& failureDetails) override {
    Record(text, failureDetails);
  }
  void ShowError(const QString& text) override { errors.push_back(text); }
  bool Ask(const QString& question) override {
    questions.push_back(question);
    return answer;
  }

  std::vector<QString> shown;
  std::vector<QString> details;  // beside each of `shown`: empty but for failures
  std::vector<QString> errors;
  std::vector<QString> questions;
  bool answer = false;  // every question is answered so: "Não" unless a test says "Sim"
  std::function<void(const QString&)> onShow;  // runs while the message is "on screen"

 private:
  void Record(const QString& text, const QString& failureDetails) {
    if (onShow) onShow(text);
    shown.push_back(text);
    details.push_back(failureDetails);
  }
};

// Answers the dialogs from a script: each call takes the next answer; an empty
// answer or an exhausted script cancels. Records the name each dialog opened with.
class ScriptedFileDialogs final : public FileDialogs {
 public:
  enum class Kind { kSave, kOpen, kFolder, kSite };
  struct Call {
    Kind kind;
    QString lastName;
  };

  std::optional<QString> SaveFileName(const QString& lastName) override {
    return Next(Kind::kSave, lastName);
  }
  std::optional<QString> OpenFileName(const QString& lastName) override {
    return Next(Kind::kOpen, lastName);
  }
  std::optional<QString> FolderName(const QString& lastFolder) override {
    return Next(Kind::kFolder, lastFolder);
  }
  std::optional<QString> SiteFileName(const QString& lastName) override {
    return Next(Kind::kSite, lastName);
  }

  std::deque<QString> answers;
  std::vector<Call> calls;

 private:
  std::optional<QString> Next(Kind kind, const QString& lastName) {
    calls.push_back({kind, lastName});
    if (answers.empty()) return std::nullopt;
    const QString answer = answers.front();
    answers.pop_front();
    if (answer.isEmpty()) return std::nullopt;
    return answer;
  }
};

}  // namespace zm48d::testing
