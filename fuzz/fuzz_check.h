#pragma once
// What the fuzz targets share: a check that stops the run at the first broken
// promise (libFuzzer keeps the input that broke it), and ways to cut one input
// into the pieces a target feeds.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "files/line_file.h"

namespace zm48d::fuzz {

using Input = std::span<const std::uint8_t>;

// Aborts with the broken promise; a crash is what the fuzzer and the replay
// test report.
#define FUZZ_CHECK(condition)                                                      \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                \
    }                                                                              \
  } while (false)

inline std::string AsText(Input input) { return {input.begin(), input.end()}; }

// The controller's hexadecimal digits, '0'..'9' and 'A'..'F'. Written out here
// rather than taken from the terminal's own helper, which the fuzzers check.
inline bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Pieces as [length byte][that many bytes]...; a last piece cut short keeps
// what there is.
inline std::vector<std::vector<std::uint8_t>> LengthPrefixedPieces(Input input) {
  std::vector<std::vector<std::uint8_t>> pieces;
  std::size_t at = 0;
  while (at < input.size()) {
    const std::size_t length = input[at++];
    const std::size_t end = std::min(input.size(), at + length);
    pieces.emplace_back(input.begin() + static_cast<std::ptrdiff_t>(at),
                        input.begin() + static_cast<std::ptrdiff_t>(end));
    at = end;
  }
  return pieces;
}

// Words separated by NUL bytes, as a program's argument vector is.
inline std::vector<std::string> NulSeparatedWords(Input input) {
  std::vector<std::string> words(1);
  for (std::uint8_t byte : input) {
    if (byte == 0) {
      words.emplace_back();
    } else {
      words.back().push_back(static_cast<char>(byte));
    }
  }
  return words;
}

}  // namespace zm48d::fuzz
