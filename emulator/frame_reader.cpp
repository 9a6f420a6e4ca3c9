#include "emulator/frame_reader.h"

#include <algorithm>

namespace zm48d::emu {

namespace {

std::uint8_t Sum(const std::uint8_t* bytes, size_t count) {
  std::uint8_t sum = 0;
  for (size_t i = 0; i < count; ++i) sum = static_cast<std::uint8_t>(sum + bytes[i]);
  return sum;
}

}  // namespace

void FrameReader::Feed(const std::uint8_t* bytes, int count) {
  buffer_.insert(buffer_.end(), bytes, bytes + count);
}

std::optional<Request> FrameReader::Next() {
  while (!buffer_.empty()) {
    auto start = std::find(buffer_.begin(), buffer_.end(), 0x02);
    buffer_.erase(buffer_.begin(), start);
    if (buffer_.size() < 6) return std::nullopt;
    if (buffer_[2] != 0x1E || buffer_[5] != 0x1C) {
      buffer_.erase(buffer_.begin());
      continue;
    }
    const size_t n = buffer_[4];
    const size_t size = n + 9;
    if (buffer_.size() < size) return std::nullopt;
    const bool good = buffer_[6 + n] == 0x03 && Sum(buffer_.data(), 7 + n) == buffer_[7 + n];
    if (!good) {
      buffer_.erase(buffer_.begin());
      continue;
    }
    Request request;
    request.head = buffer_[1];
    request.command = buffer_[3];
    request.data.assign(buffer_.begin() + 6, buffer_.begin() + 6 + static_cast<long>(n));
    request.frame.assign(buffer_.begin(), buffer_.begin() + static_cast<long>(size));
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<long>(size));
    return request;
  }
  return std::nullopt;
}

std::vector<std::uint8_t> EncodeResponse(std::uint8_t head, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> frame;
  frame.reserve(data.size() + 8);
  for (std::uint8_t b : {std::uint8_t{0x02}, head, std::uint8_t{0x1E},
                         static_cast<std::uint8_t>(data.size()), std::uint8_t{0x1C}}) {
    frame.push_back(b);
  }
  for (std::uint8_t b : data) frame.push_back(b);
  frame.push_back(0x03);
  frame.push_back(Sum(frame.data(), frame.size()));
  frame.push_back(0x04);
  return frame;
}

}  // namespace zm48d::emu
