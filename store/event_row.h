#pragma once
// The columns an event record is stored under, so history can be searched by
// tag, day and door without decoding every stored record again.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zm48d::store {

struct EventRow {
  std::string raw;   // 20 upper-case hexadecimal digits
  std::string tag;   // 6 of them
  std::string date;  // YYYY-MM-DD; the controller keeps the year's last two digits
  std::string time;  // HH:MM:SS
  int door = 1;
  int granted = 0;
  int holiday = 0;
  int reason = 0;
};

// `record` points to EventRecordSize bytes.
EventRow MakeEventRow(const std::uint8_t* record);

// Upper-case hexadecimal digits of `bytes`, two a byte.
std::string HexText(std::span<const std::uint8_t> bytes);

// The three tag bytes of `tag` as the `tag` column holds them ("00A1B2").
std::string TagColumn(std::uint32_t tag);

}  // namespace zm48d::store
