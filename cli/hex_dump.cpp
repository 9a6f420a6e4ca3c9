#include "cli/hex_dump.h"

#include <algorithm>
#include <cstddef>

#include "protocol/big_endian.h"
#include "protocol/hex_text.h"

namespace zm48d::cli {

std::string HexDump(std::uint16_t address, std::span<const std::uint8_t> bytes) {
  std::string text;
  for (std::size_t start = 0; start < bytes.size(); start += kDumpBytesPerLine) {
    const auto lineAddress = static_cast<std::uint16_t>(address + start);
    text += HexByte(HighByte(lineAddress));
    text += HexByte(LowByte(lineAddress));
    text += ':';
    const std::size_t end = std::min(bytes.size(), start + kDumpBytesPerLine);
    for (std::size_t i = start; i < end; ++i) {
      text += ' ';
      text += HexByte(bytes[i]);
    }
    text += '\n';
  }
  return text;
}

}  // namespace zm48d::cli
