#pragma once
// What an operation runs with, and the port cycle every operation follows: open
// "COM n", run the protocol operations, report, close the port on every way out.
#include <functional>
#include <string_view>

#include "protocol/link_state.h"

namespace zm48d::ops {

// How a text reads to the operator. The window shows every kind in the same
// message box; the command line prints notes on its output and failures on its
// error stream, and leaves out asides: the window's words beside a reading it
// has just put into its controls ("Leitura concluída!"), where the command line
// prints the reading itself.
enum class Tone { kNote, kFailure, kAside };

// Why a backup could not carry over the descriptions of a file it replaced.
enum class DescriptionsLost { kUnreadable, kIncompatible };

// Where an operation's texts go, in the order and at the moment the operation
// reaches them (a message box is shown while the port is still open).
class Notices {
 public:
  virtual ~Notices() = default;
  virtual void Show(Tone tone, std::string_view utf8Text) = 0;
  // How far a long operation is ("Enviando lista: página 17 de 42"); the window's
  // status bar shows it, the command line does not.
  virtual void Progress(std::string_view utf8Text) { (void)utf8Text; }
  // A port that did not open, also where the button shows no text for it.
  virtual void PortNotOpened(int portNumber) { (void)portNumber; }
  // Why the failure just shown happened: the device and the system's reason for
  // a port that did not open. The command line prints it after the failure; the
  // window's message boxes keep to their own texts.
  virtual void Explain(std::string_view utf8Text) { (void)utf8Text; }
  // A backup replaced the file at `path` without its descriptions; the backup
  // itself went well. The window says so on its status line, the command line
  // on its error stream, each in its own words.
  virtual void DescriptionsNotKept(std::string_view path, DescriptionsLost why) {
    (void)path;
    (void)why;
  }
};

struct Session {
  LinkState& link;
  int portNumber;  // "COM n"
  Notices& notices;

  void Note(std::string_view text) const { notices.Show(Tone::kNote, text); }
  void Aside(std::string_view text) const { notices.Show(Tone::kAside, text); }
  // Shows nothing for an empty text: some buttons fail without a word.
  void Fail(std::string_view text) const {
    if (!text.empty()) notices.Show(Tone::kFailure, text);
  }
  void Explain(std::string_view text) const {
    if (!text.empty()) notices.Explain(text);
  }
};

// A port that did not open: `openFailure`, then why (nothing at all when
// `openFailure` is empty).
void ReportOpenFailure(const Session& session, std::string_view openFailure);

// Hands what an operation read to its caller while the port is still open, so
// that the window fills its controls before the operation's next message.
template <class T>
using Deliver = std::function<void(const T&)>;

// Opens "COM portNumber" for its life and closes it on every way out,
// exceptions included. A port that does not open is reported with
// `openFailure` (nothing when it is empty).
class PortCycle {
 public:
  PortCycle(const Session& session, std::string_view openFailure);
  // A line that stopped during the cycle and can tell why (a network server
  // that hung up, or refused a second client) is explained on the way out.
  ~PortCycle();
  PortCycle(const PortCycle&) = delete;
  PortCycle& operator=(const PortCycle&) = delete;

  explicit operator bool() const { return open_; }

 private:
  // A copy, not a reference: a session is three words, and the caller's may be
  // a temporary that is gone by the time the cycle ends.
  const Session session_;
  PortCloser closer_;
  bool open_;
};

}  // namespace zm48d::ops
