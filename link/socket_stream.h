#pragma once
// One TCP connection to a device server: non-blocking, TCP_NODELAY, and waits
// bounded in milliseconds so that the link's timeout rules and idle hook stay in
// charge. The POSIX and Winsock versions live in posix_/windows_socket_stream.cpp.
#include <cstdint>
#include <string>

namespace zm48d {

class SocketStream {
 public:
  SocketStream() = default;
  ~SocketStream() { Close(); }
  SocketStream(const SocketStream&) = delete;
  SocketStream& operator=(const SocketStream&) = delete;

  // Connects to `host`:`port` (any of its addresses, in the resolver's order)
  // within `timeoutMs`. On failure returns false with `error` set to the system's
  // code, or to 0 when no address answered in time; `unresolved` holds the
  // resolver's text when the name has no address.
  bool Connect(const std::string& host, std::uint16_t port, int timeoutMs, int& error,
               std::string& unresolved);
  void Close();
  bool IsOpen() const { return handle_ != kNone; }

  // Sends what it can of `size` bytes within `waitMs`: the count sent (0 when the
  // wait ran out), or -1 when the connection failed.
  int Send(const std::uint8_t* data, int size, int waitMs);
  // Receives up to `capacity` bytes, waiting at most `waitMs` for the first: the
  // count received (0 when the wait ran out), or -1 when the peer closed the
  // connection or it failed.
  int Receive(std::uint8_t* buffer, int capacity, int waitMs);
  // The system's code of the last failure (errno or WSAGetLastError()); 0 for a
  // connection the peer closed in order.
  int LastError() const { return lastError_; }

 private:
  // A socket descriptor on POSIX, a SOCKET on Windows; both fit.
  using Handle = std::intptr_t;
  static constexpr Handle kNone = -1;

  Handle handle_ = kNone;
  int lastError_ = 0;
};

}  // namespace zm48d
