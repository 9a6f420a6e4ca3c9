#pragma once
// A TCP relay on 127.0.0.1 that holds every chunk for a while before passing it
// on, in each direction: a device server reached across a slow network, each
// round trip 2 x delayMs longer. One client at a time; for each it opens its own
// connection to the target.
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <thread>
#include <vector>

namespace zm48d::bench {

class DelayRelay {
 public:
  // `targetHost` is an IPv4 address (the loopback's, for these benchmarks).
  DelayRelay(std::string targetHost, std::uint16_t targetPort, int delayMs = 10);
  ~DelayRelay();
  DelayRelay(const DelayRelay&) = delete;
  DelayRelay& operator=(const DelayRelay&) = delete;

  std::uint16_t Port() const { return port_; }
  // The relay's own address in the form of `scheme` ("rfc2217", "socket").
  std::string Url(const std::string& scheme) const {
    return scheme + "://127.0.0.1:" + std::to_string(port_);
  }

 private:
  using Clock = std::chrono::steady_clock;
  // Bytes received from one side, due at the other at `due`.
  struct Chunk {
    Clock::time_point due;
    std::vector<std::uint8_t> bytes;
  };
  // One direction: what `from` sent, waiting for its time to reach `to`.
  struct Direction {
    int from = -1;
    int to = -1;
    std::deque<Chunk> held;
    bool ended = false;  // `from` closed
  };

  void Serve();
  void Accept();
  // Reads what `way.from` sent into the queue, or notes that it closed.
  void Take(Direction& way);
  // Passes on the chunks that are due; false when `way.to` failed.
  bool PassDue(Direction& way);
  void Drop();
  int WaitMs() const;

  std::string targetHost_;
  std::uint16_t targetPort_;
  std::chrono::milliseconds delay_;
  int listener_ = -1;
  int wake_[2] = {-1, -1};  // a pipe: a byte on it ends Serve()
  std::uint16_t port_ = 0;
  Direction up_, down_;  // client -> target, target -> client
  std::thread thread_;
};

}  // namespace zm48d::bench
