#pragma once
// The bytes a stand-in serial line holds for the terminal's reads.
#include <cstdint>
#include <deque>

namespace zm48d::testing {

// A read from `waiting`: up to `size` bytes, in order; true when all `size` were
// there, as a real line's read that its timeouts did not cut short.
inline bool TakeWaiting(std::deque<std::uint8_t>& waiting, int size, std::uint8_t* buffer,
                        int& read) {
  read = 0;
  while (read < size && !waiting.empty()) {
    buffer[read++] = waiting.front();
    waiting.pop_front();
  }
  return read == size;
}

}  // namespace zm48d::testing
