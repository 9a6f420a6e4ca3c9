#pragma once
// TCP ends on the loopback interface for tests of network ports: a client that
// sends and receives raw bytes, servers that never answer or echo, and a port
// where nothing listens.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace zm48d::testing {

// A loopback port that was free a moment ago (another program may take it
// before the caller does; the tests accept that small race).
std::uint16_t FreeLoopbackPort();
// A loopback port with nothing listening: connecting is refused at once.
inline std::uint16_t RefusingPort() { return FreeLoopbackPort(); }

// One client connection to 127.0.0.1.
class TcpClient {
 public:
  explicit TcpClient(std::uint16_t port);
  ~TcpClient();
  TcpClient(const TcpClient&) = delete;
  TcpClient& operator=(const TcpClient&) = delete;

  bool Connected() const { return socket_ >= 0; }
  bool Send(const std::vector<std::uint8_t>& bytes);
  // What arrives until `count` bytes are in, the peer closes, or `waitMs` has
  // passed since the call.
  std::vector<std::uint8_t> Receive(std::size_t count, int waitMs);
  // True once the peer has closed the connection (checked within `waitMs`);
  // bytes still arriving before the close are dropped.
  bool ClosedByPeer(int waitMs);

 private:
  int socket_ = -1;
};

// Listens on a loopback port and takes every connection; with kNothing it
// reads and drops what arrives and never writes (a server that hangs), with
// kEcho it sends every byte back.
class LoopbackServer {
 public:
  enum class Answer { kNothing, kEcho };
  explicit LoopbackServer(Answer answer);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  std::uint16_t Port() const { return port_; }
  int Accepted() const { return accepted_; }
  std::string Url(const std::string& scheme) const {
    return scheme + "://127.0.0.1:" + std::to_string(port_);
  }

 private:
  void Serve();

  Answer answer_;
  int listener_ = -1;
  int wake_[2] = {-1, -1};  // a pipe: a byte on it ends Serve()
  std::uint16_t port_ = 0;
  std::atomic<int> accepted_{0};
  std::thread thread_;
};

class SilentServer : public LoopbackServer {
 public:
  SilentServer() : LoopbackServer(Answer::kNothing) {}
};

class EchoServer : public LoopbackServer {
 public:
  EchoServer() : LoopbackServer(Answer::kEcho) {}
};

}  // namespace zm48d::testing
