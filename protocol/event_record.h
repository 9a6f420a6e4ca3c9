#pragma once
// Decoding of the controller's 10-byte event records and of the stack position
// held in the StackHeader.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/memory_map.h"

namespace zm48d {

// One access attempt. Texts are as the terminal shows them: the BCD date and
// time fields printed as their hexadecimal digits.
struct EventRecord {
  std::string tag;   // "00A1B2"
  std::string date;  // "07/12/26" (day/month/year)
  std::string time;  // "14:05:33"
  bool granted = false;
  int door = 1;  // 1..16: the low nibble of the flags + 1
  bool holiday = false;
  int reason = 0;  // 0 ok, 1 tag not registered, 2 outside hours, 3 door not enabled
};

// Six upper-case hexadecimal digits of the three tag bytes at `tag` ("12AB05").
std::string TagText(const std::uint8_t* tag);

// `record` points to EventRecordSize bytes (layout in memory_map.h).
EventRecord DecodeEventRecord(const std::uint8_t* record);

// The download's text line, UTF-8: tag*date*time*Sim|Não*Porta n*Sim|Não*
// (it ends with "*"; the reason is not part of it).
std::string EventLine(const std::uint8_t* record);

// "ok!", "tag não cadastrado!", "fora do horário!", "porta não habilitada!".
std::string_view ReasonText(int reason);

// Header row and cells of the event grid, UTF-8.
inline constexpr std::array<std::string_view, 7> kEventGridHeaders = {
    "TAG", "Data", "Hora", "Acesso", "Porta", "Feriado", "Motivo"};
std::array<std::string, 7> EventGridCells(const EventRecord& event);
inline std::array<std::string, 7> EventGridCells(const std::uint8_t* record) {
  return EventGridCells(DecodeEventRecord(record));
}

// Start (oldest record) and top (just past the newest) of the event stack.
struct StackPointers {
  std::uint16_t start;
  std::uint16_t top;
};

// From the 16 StackHeader bytes read at EEPROM address 0.
StackPointers ParseStackPointers(const std::uint8_t* header);

// Bytes waiting between start and top; nullopt when top lies below start (a
// wrapped or damaged header), which callers treat as a failed read.
std::optional<int> WaitingBytes(StackPointers pointers);

// Whole records in `bytes` waiting bytes; a partial record at the end is ignored.
constexpr int WaitingRecords(int bytes) { return bytes / EventRecordSize; }

}  // namespace zm48d
