#pragma once
// Memory shown as hexadecimal text: 16 bytes a line, the 16-bit address of the
// line's first byte in front ("8000: 00 01 ... 0F").
#include <cstdint>
#include <span>
#include <string>

namespace zm48d::cli {

inline constexpr int kDumpBytesPerLine = 16;

// Lines end with '\n'. Addresses past 0xFFFF wrap around, as the controller's do.
std::string HexDump(std::uint16_t address, std::span<const std::uint8_t> bytes);

}  // namespace zm48d::cli
