#include "operations/frame_description.h"

#include <cstdio>
#include <vector>

#include "protocol/big_endian.h"
#include "protocol/hex_text.h"
#include "protocol/memory_map.h"

namespace zm48d::ops {

namespace {

constexpr std::size_t kRequestDataAt = 6;
constexpr std::size_t kResponseDataAt = 5;

std::string Address(std::span<const std::uint8_t> data) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", GetWord(&data[1]));
  return text;
}

std::string Digits(std::span<const std::uint8_t> digits) {
  std::string text;
  for (std::uint8_t d : digits) text += static_cast<char>('0' + d % 10);
  return text;
}

std::string Describe(char command, std::span<const std::uint8_t> d) {
  const char sub = d.empty() ? '\0' : static_cast<char>(d[0]);
  const std::string head = std::string(1, command) + (sub ? std::string(" ") + sub : "");
  switch (command) {
    case 'H': return "H beep";
    case 'I': return "I memória atualizada";
    case 'C':
      if (d.size() >= 6) {
        return "C relé " + std::to_string(d[0] + 1) + ", tempo " +
               std::string(d.begin() + 1, d.begin() + 6);
      }
      return "C relé";
    case 'E':
      if (sub == 'L') return "E L ler relógio";
      if (sub == 'G' && d.size() >= 14) {
        return "E G acertar relógio " + Digits(d.subspan(1, 2)) + "/" + Digits(d.subspan(3, 2)) +
               "/" + Digits(d.subspan(5, 2)) + " " + Digits(d.subspan(8, 2)) + ":" +
               Digits(d.subspan(10, 2)) + ":" + Digits(d.subspan(12, 2));
      }
      return head;
    case 'D':
      if (sub == 'L' && d.size() >= 4) return "D L ler EEPROM " + Address(d) + ", 16 bytes";
      if (sub == 'G' && d.size() >= 4) {
        return "D G gravar EEPROM " + Address(d) + ", " + std::to_string(d[3]) + " bytes";
      }
      return head;
    case 'G':
      if (sub == 'L' && d.size() >= 3) return "G L ler configurações " + Address(d) + ", 16 bytes";
      if (sub == 'G' && d.size() >= 3) {
        return "G G gravar página " + Address(d) + ", " + std::to_string(d.size() - 3) + " bytes";
      }
      return head;
    case 'B':
      if (sub == 'E') return "B E entrar no modo de descarga";
      if (sub == 'S') return "B S sair do modo de descarga";
      return head;
    case 'J': return head + " leitura online";
    default: return head;
  }
}

// A memory read ("D L", "G L"), whose answer must carry a whole 16-byte block.
bool AsksForABlock(std::span<const std::uint8_t> request) {
  if (request.size() < kRequestDataAt + 1) return false;
  const std::uint8_t command = request[3];
  return (command == 'D' || command == 'G') && request[kRequestDataAt] == 'L';
}

}  // namespace

std::string DescribeRequest(std::span<const std::uint8_t> frame) {
  if (frame.size() < kRequestDataAt) return "quadro incompleto";
  const std::size_t n = frame[4];
  if (frame.size() < kRequestDataAt + n) return "quadro incompleto";
  return Describe(static_cast<char>(frame[3]), frame.subspan(kRequestDataAt, n));
}

std::string DescribeResponse(std::span<const std::uint8_t> frame,
                             std::span<const std::uint8_t> request) {
  if (frame.size() < kResponseDataAt) return "resposta incompleta";
  const std::size_t n = frame[3];
  if (frame.size() < kResponseDataAt + n) return "resposta incompleta";
  const auto data = frame.subspan(kResponseDataAt, n);
  if (n == 2 && data[0] == 'O' && data[1] == 'K') return "OK";
  if (n == 0) return "resposta, 0 bytes";
  // A read's block is its first 32 characters, whatever follows them.
  const std::size_t block = 2 * static_cast<std::size_t>(kReadBlockSize);
  const bool wholeBlock = AsksForABlock(request) && n >= block;
  std::vector<std::uint8_t> bytes((wholeBlock ? block : n) / 2);
  if ((!wholeBlock && n % 2 != 0) || !DecodeUpperHexPairs(data, bytes)) {
    return "resposta inválida: não é hexadecimal";
  }
  if (AsksForABlock(request) && !wholeBlock) {
    return "resposta inválida: " + std::to_string(bytes.size()) + " de " +
           std::to_string(kReadBlockSize) + " bytes";
  }
  std::string text = std::to_string(bytes.size()) + " bytes:";
  for (std::uint8_t b : bytes) text += " " + HexByte(b);
  return text;
}

}  // namespace zm48d::ops
