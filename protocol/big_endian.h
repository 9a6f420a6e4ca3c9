#pragma once
// The controller keeps its 16-bit numbers and addresses high byte first.
#include <cstdint>

namespace zm48d {

constexpr std::uint16_t GetWord(const std::uint8_t* at) {
  return static_cast<std::uint16_t>((at[0] << 8) | at[1]);
}

// Stores the low 16 bits of `value`.
constexpr void PutWord(std::uint8_t* at, unsigned value) {
  at[0] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
  at[1] = static_cast<std::uint8_t>(value & 0xFF);
}

constexpr std::uint8_t HighByte(unsigned value) {
  return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}
constexpr std::uint8_t LowByte(unsigned value) { return static_cast<std::uint8_t>(value & 0xFF); }

}  // namespace zm48d
