#pragma once
// A ser2net of the test's own in front of a serial device (the emulator's
// pseudo-terminal): the controller behind a network device server, as a site
// puts it. Two ports on 127.0.0.1 lead to the same device, one speaking Telnet
// with the RFC 2217 COM-PORT-OPTION, one passing the raw bytes. Like any device
// server, each port takes one client and turns a second away, and the device
// serves one port at a time.
#include <sys/types.h>

#include <cstdint>
#include <string>

#include "tests/support/temp_dir.h"

namespace zm48d::testing {

class Ser2netServer {
 public:
  // Starts serving `device`; see Failure().
  explicit Ser2netServer(std::string device);
  ~Ser2netServer();
  Ser2netServer(const Ser2netServer&) = delete;
  Ser2netServer& operator=(const Ser2netServer&) = delete;

  // Empty while the server runs; else why it does not.
  const std::string& Failure() const { return failure_; }
  std::uint16_t Rfc2217Port() const { return rfc2217Port_; }
  std::uint16_t SocketPort() const { return socketPort_; }
  std::string Rfc2217Url() const { return "rfc2217://127.0.0.1:" + std::to_string(rfc2217Port_); }
  std::string SocketUrl() const { return "socket://127.0.0.1:" + std::to_string(socketPort_); }

  // Starts it again on the same ports after Stop() or Kill(); false with
  // Failure() set when it does not come up.
  bool Start();
  // Ends it in order (SIGTERM) and waits for it.
  void Stop();
  // Ends it at once (SIGKILL), as a crash or a power cut would, and removes the
  // device's lock file that it had no chance to remove.
  void Kill();

 private:
  bool Launch();
  void WriteConfig() const;
  bool WaitUntilListening();
  void EndWith(int signal);

  std::string device_;
  TempDir folder_;
  std::uint16_t rfc2217Port_ = 0;
  std::uint16_t socketPort_ = 0;
  pid_t pid_ = -1;
  std::string failure_;
};

}  // namespace zm48d::testing
