#pragma once
// A controller behind a serial device server (ser2net, or a hardware one),
// reached over TCP: "rfc2217://HOST:PORT" or "socket://HOST:PORT".
//
// The read and write timeout rules of a local port apply to the line's bytes as
// they arrive; Telnet commands do not count. Connecting, and for RFC 2217 the
// line settings, have their own bound (kConnectBoundMs).
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/open_failure.h"
#include "link/port_url.h"
#include "link/serial_link.h"
#include "link/socket_stream.h"
#include "link/telnet_codec.h"

namespace zm48d {

inline constexpr int kConnectBoundMs = 3000;

class NetworkLink final : public SerialLink {
 public:
  // `resolver` names the URL of "COM n".
  explicit NetworkLink(DevicePathResolver resolver) : resolver_(std::move(resolver)) {}

  bool OpenDevice(int portNumber, std::uint32_t baudRate) override;
  OpenFailure LastOpenFailure() const override { return lastFailure_; }
  OpenFailure LineFailure() const override { return lineFailure_; }
  void CloseDevice() override;
  bool Write(const std::uint8_t* block, int size, int& written) override;
  bool Read(int size, std::uint8_t* buffer, int& read) override;
  // The bytes already received are dropped here. On connecting, an RFC 2217
  // server also purges its own queues, so an answer left over from an earlier
  // client never reaches this one; during a session that is not asked again, as
  // the request would reach the server after the answer it must keep.
  void Purge(unsigned flags) override;

 private:
  using Deadline = std::chrono::steady_clock::time_point;
  struct LineSetting;

  // Keeps why the open failed and drops the connection; returns false.
  bool Fail(OpenFailure::Problem problem, int systemError, std::string detail = {});
  // The connection ended while opening: how, as LineFailure() would say.
  bool FailEnded();
  bool NegotiateLine(std::uint32_t baudRate);
  bool AwaitServer(const std::function<bool()>& done, Deadline deadline);
  static std::vector<LineSetting> ControllerLine(std::uint32_t baudRate);
  bool SettingsAnswered(const std::vector<LineSetting>& settings) const;
  bool CheckSettings(const std::vector<LineSetting>& settings);
  bool SendAll(const std::vector<std::uint8_t>& bytes, Deadline deadline);
  // Receives what comes within `waitMs` into the codec: the count of bytes, 0
  // when none came, -1 when the connection ended (LineFailure() says how).
  int Pump(int waitMs);
  int Receive(int waitMs);
  // How the connection ended: a server that refuses a client says why in text
  // and hangs up ("Port already in use"), which counts as a port in use.
  OpenFailure Ended() const;
  void AwaitHangUpAfterWords();

  DevicePathResolver resolver_;
  SocketStream socket_;
  TelnetCodec telnet_{false};
  std::string name_;  // the URL, as messages name the port
  OpenFailure lastFailure_;
  OpenFailure lineFailure_;
  std::deque<std::uint8_t> data_;    // line data received, not yet read
  std::deque<std::uint8_t> recent_;  // the last line data received, for Ended()
};

}  // namespace zm48d
