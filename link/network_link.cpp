#include "link/network_link.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <span>
#include <utility>

#include "link/line_bounds.h"

namespace zm48d {

namespace {

using Clock = LineClock;
using std::chrono::milliseconds;
using Problem = OpenFailure::Problem;

}  // namespace

// One setting asked of an RFC 2217 server, with the answer that confirms it.
struct NetworkLink::LineSetting {
  std::uint8_t command;
  std::vector<std::uint8_t> value;
  const char* name;  // for the message when the server sets something else
  // The modem lines are asked for but not awaited: a server in front of a line
  // without them (ser2net on a pseudo-terminal) never answers, as a local
  // pseudo-terminal refuses them. An answer that says otherwise still fails.
  bool awaited = true;
};

// 8N1, no flow control, DTR and RTS off: the controller's line.
std::vector<NetworkLink::LineSetting> NetworkLink::ControllerLine(std::uint32_t baudRate) {
  using namespace telnet;
  return {
      {kSetBaudRate,
       {static_cast<std::uint8_t>(baudRate >> 24), static_cast<std::uint8_t>(baudRate >> 16),
        static_cast<std::uint8_t>(baudRate >> 8), static_cast<std::uint8_t>(baudRate)},
       "the baud rate"},
      {kSetDataSize, {8}, "8 data bits"},
      {kSetParity, {1}, "no parity"},
      {kSetStopSize, {1}, "1 stop bit"},
      {kSetControl, {1}, "no flow control"},
      {kSetControl, {9}, "DTR off", false},
      {kSetControl, {12}, "RTS off", false},
  };
}

namespace {

// SET-CONTROL's values come in groups (flow control 1-3, DTR 8-9, RTS 11-12, ...):
// an answer from the group of `asked` states that thing.
int ControlGroup(std::uint8_t value) {
  if (value <= 3 || value == 17 || value == 18 || value == 19) return 0;  // outbound flow
  if (value <= 6) return 1;                                               // BREAK
  if (value <= 9) return 2;                                               // DTR
  if (value <= 12) return 3;                                              // RTS
  return 4;                                                               // inbound flow
}

// `asked` confirmed by one of the answers of its group; a setting not awaited
// also passes when its group never answered.
bool ControlConfirmed(const std::vector<std::vector<std::uint8_t>>& answers, std::uint8_t asked,
                      bool awaited) {
  bool heard = false;
  for (const auto& answer : answers) {
    if (answer.size() != 1 || ControlGroup(answer[0]) != ControlGroup(asked)) continue;
    if (answer[0] == asked) return true;
    heard = true;
  }
  return !awaited && !heard;
}

// Enough for a server's words on hanging up.
constexpr std::size_t kRecentBytes = 120;

// What a server said before it hung up, as one line; empty unless the last
// bytes were words: text with spaces and small letters, which a controller's
// frames never are (control bytes around upper-case hexadecimal data).
std::string Words(const std::deque<std::uint8_t>& bytes) {
  const bool spaced = std::find(bytes.begin(), bytes.end(), ' ') != bytes.end();
  const bool small =
      std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b >= 'a' && b <= 'z'; });
  if (!spaced || !small) return {};
  std::string text;
  for (std::uint8_t byte : bytes) {
    if (byte == '\r' || byte == '\n') {
      if (!text.empty() && text.back() != ' ') text += ' ';
    } else if (byte >= 0x20 && byte < 0x7f) {
      text += static_cast<char>(byte);
    } else {
      return {};
    }
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

bool NetworkLink::Fail(Problem problem, int systemError, std::string detail) {
  lastFailure_ = {name_, systemError, problem, std::move(detail)};
  socket_.Close();
  return false;
}

OpenFailure NetworkLink::Ended() const {
  const std::string words = Words(recent_);
  if (!words.empty()) return {name_, 0, Problem::kInUse, words};
  const int error = socket_.LastError();
  return {name_, error, Problem::kOther, error == 0 ? "the server closed the connection" : ""};
}

bool NetworkLink::FailEnded() {
  lastFailure_ = lineFailure_.problem != Problem::kNone ? lineFailure_ : Ended();
  socket_.Close();
  return false;
}

bool NetworkLink::OpenDevice(int portNumber, std::uint32_t baudRate) {
  CloseDevice();
  name_ = resolver_(portNumber);
  lastFailure_ = {};
  lineFailure_ = {};
  recent_.clear();
  std::string problem;
  const auto url = ParsePortUrl(name_, problem);
  if (!url) return Fail(Problem::kBadAddress, 0, problem);
  telnet_ = TelnetCodec(url->protocol == NetworkProtocol::kRfc2217);
  int error = 0;
  std::string unresolved;
  if (!socket_.Connect(url->host, url->port, kConnectBoundMs, error, unresolved)) {
    if (!unresolved.empty()) return Fail(Problem::kBadAddress, error, unresolved);
    return Fail(error == 0 ? Problem::kNoAnswer : Problem::kOther, error);
  }
  if (telnet_.IsTelnet() && !NegotiateLine(baudRate)) return false;
  return true;
}

bool NetworkLink::SendAll(const std::vector<std::uint8_t>& bytes, Deadline deadline) {
  int sent = 0;
  const int size = static_cast<int>(bytes.size());
  while (sent < size) {
    const int wait = MillisecondsUntil(deadline);
    if (wait == 0) return false;
    const int n = socket_.Send(bytes.data() + sent, size - sent, IdleSlice(wait));
    if (n < 0) return false;
    if (n == 0) Idle();
    sent += n;
  }
  return true;
}

int NetworkLink::Pump(int waitMs) {
  const int n = Receive(waitMs);
  if (n < 0 && lineFailure_.problem == Problem::kNone) lineFailure_ = Ended();
  return n;
}

int NetworkLink::Receive(int waitMs) {
  std::array<std::uint8_t, 512> chunk{};
  const int n = socket_.Receive(chunk.data(), static_cast<int>(chunk.size()), waitMs);
  if (n <= 0) return n;
  const std::size_t before = data_.size();
  telnet_.Feed(std::span(chunk.data(), static_cast<std::size_t>(n)), data_);
  recent_.insert(recent_.end(), data_.begin() + static_cast<std::ptrdiff_t>(before), data_.end());
  while (recent_.size() > kRecentBytes) recent_.pop_front();
  // Refusals owed to the server go out at once; a server left waiting may hold the line.
  if (const auto replies = telnet_.TakeReplies(); !replies.empty()) {
    if (!SendAll(replies, Clock::now() + milliseconds(kTotalConstantMs))) return -1;
  }
  return n;
}

// Runs `done` against what the server sent, receiving until it holds or the
// connect bound ends. A connection the server closes meanwhile is a refusal in
// its own words ("Port's device already in use").
bool NetworkLink::AwaitServer(const std::function<bool()>& done, Deadline deadline) {
  while (!done()) {
    const int wait = MillisecondsUntil(deadline);
    if (wait == 0) return Fail(Problem::kNoAnswer, 0);
    if (Pump(IdleSlice(wait)) < 0) return FailEnded();
    Idle();
  }
  return true;
}

bool NetworkLink::NegotiateLine(std::uint32_t baudRate) {
  const auto deadline = Clock::now() + milliseconds(kConnectBoundMs);
  // The settings go with the offer of the option rather than after the server's
  // agreement: a server takes the commands in order, and one that refuses the
  // option ignores them. One round trip a connection instead of two.
  std::vector<std::uint8_t> request = TelnetCodec::OpeningNegotiation();
  const std::vector<LineSetting> settings = ControllerLine(baudRate);
  for (const LineSetting& setting : settings) {
    const auto command = TelnetCodec::ComPortCommand(setting.command, setting.value);
    request.insert(request.end(), command.begin(), command.end());
  }
  // Both of the server's queues emptied too: no line data can be fresh before
  // the settings are answered, so whatever came was left over from an earlier client.
  const std::uint8_t both = 3;
  const auto purge = TelnetCodec::ComPortCommand(telnet::kPurgeData, std::span(&both, 1));
  request.insert(request.end(), purge.begin(), purge.end());
  if (!SendAll(request, deadline)) return FailEnded();
  const auto refused = [this] { return telnet_.ComPortAccepted() == std::optional(false); };
  const auto answered = [this, &settings, &refused] {
    return refused() ||
           (!telnet_.ComPortAnswers(telnet::kPurgeData).empty() && SettingsAnswered(settings));
  };
  if (!AwaitServer(answered, deadline)) {
    // A server that said something, but not all, did not confirm the settings;
    // one that said nothing at all did not answer.
    if (lastFailure_.problem == Problem::kNoAnswer && telnet_.ComPortAccepted().has_value()) {
      lastFailure_.problem = Problem::kSettingRefused;
      lastFailure_.detail = "the server did not confirm the line settings within 3 s";
    }
    return false;
  }
  if (refused()) {
    return Fail(Problem::kSettingRefused, 0, "the server does not take RFC 2217 line settings");
  }
  data_.clear();
  recent_.clear();
  return CheckSettings(settings);
}

// Whether every awaited setting has its answer (a server answers each command once).
bool NetworkLink::SettingsAnswered(const std::vector<LineSetting>& settings) const {
  std::map<std::uint8_t, std::size_t> awaited;
  for (const LineSetting& setting : settings) {
    if (setting.awaited) ++awaited[setting.command];
  }
  for (const auto& [command, count] : awaited) {
    if (telnet_.ComPortAnswers(command).size() < count) return false;
  }
  return true;
}

// Each answer must give the value asked for. The server answers SET-CONTROL
// with the state of the one thing asked, so its answers are matched by value.
bool NetworkLink::CheckSettings(const std::vector<LineSetting>& settings) {
  for (const LineSetting& setting : settings) {
    const auto& answers = telnet_.ComPortAnswers(setting.command);
    const bool control = setting.command == telnet::kSetControl;
    const bool confirmed = control ? ControlConfirmed(answers, setting.value[0], setting.awaited)
                                   : !answers.empty() && answers.front() == setting.value;
    if (!confirmed) {
      return Fail(Problem::kSettingRefused, 0,
                  std::string("the server did not confirm ") + setting.name);
    }
  }
  return true;
}

void NetworkLink::CloseDevice() {
  socket_.Close();
  telnet_.Reset();
  data_.clear();
}

bool NetworkLink::Write(const std::uint8_t* block, int size, int& written) {
  written = 0;
  if (!socket_.IsOpen()) return false;
  std::vector<std::uint8_t> encoded;
  telnet_.EncodeData(std::span(block, static_cast<std::size_t>(size)), encoded);
  if (!SendAll(encoded, TotalDeadline(size))) return false;
  written = size;
  return true;
}

bool NetworkLink::Read(int size, std::uint8_t* buffer, int& read) {
  read = 0;
  if (!socket_.IsOpen()) return false;
  const auto total = TotalDeadline(size);
  auto interval = Clock::time_point::max();
  for (;;) {
    const auto got = static_cast<int>(std::min<std::size_t>(data_.size(), size - read));
    std::copy_n(data_.begin(), got, buffer + read);
    data_.erase(data_.begin(), data_.begin() + got);
    if (got > 0) {
      read += got;
      interval = Clock::now() + milliseconds(kIntervalTimeoutMs);
    }
    if (read == size) return true;
    const int wait = MillisecondsUntil(std::min(total, interval));
    if (wait == 0) return false;
    const int received = Pump(IdleSlice(wait));
    if (received < 0) return false;  // the server hung up: fail at once
    if (received == 0) Idle();
  }
}

void NetworkLink::Purge(unsigned flags) {
  if (!socket_.IsOpen() || (flags & kPurgeRxClear) == 0) return;
  // What has arrived so far; output already handed to the connection cannot be
  // called back.
  while (Pump(0) > 0) {
  }
  data_.clear();
  AwaitHangUpAfterWords();
}

// Text is never a controller's answer (its frames start with STX): it is a
// server saying why it turns this client away, and its hang-up follows. Waiting
// for it, within a read's interval bound, lets LineFailure() give the words.
void NetworkLink::AwaitHangUpAfterWords() {
  if (lineFailure_.problem != Problem::kNone || Words(recent_).empty()) return;
  const auto deadline = Clock::now() + milliseconds(kIntervalTimeoutMs);
  while (lineFailure_.problem == Problem::kNone) {
    const int wait = MillisecondsUntil(deadline);
    if (wait == 0 || Pump(wait) < 0) return;
  }
}

}  // namespace zm48d
