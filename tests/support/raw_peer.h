#pragma once
// The far end of a bare pseudo-terminal, for tests that need byte-level control
// of what arrives and when.
#include <cstdint>
#include <string>
#include <vector>

namespace zm48d::testing {

class RawPeer {
 public:
  RawPeer();
  ~RawPeer();
  RawPeer(const RawPeer&) = delete;
  RawPeer& operator=(const RawPeer&) = delete;

  const std::string& Path() const { return path_; }
  void Send(const std::vector<std::uint8_t>& bytes);
  // Everything received so far (waits up to `waitMs` for the first byte).
  std::vector<std::uint8_t> Receive(int waitMs = 200);

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

}  // namespace zm48d::testing
