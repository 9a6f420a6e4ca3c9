#include "protocol/event_columns.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zm48d {

namespace {

constexpr std::size_t kColumnGap = 2;

// UTF-8 characters: every byte but the continuation bytes starts one.
std::size_t TextWidth(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Line(std::span<const std::string> row, const std::vector<std::size_t>& widths) {
  std::string text;
  for (std::size_t c = 0; c < row.size(); ++c) {
    text += row[c];
    if (c + 1 < row.size()) text += std::string(widths[c] - TextWidth(row[c]) + kColumnGap, ' ');
  }
  return text;
}

}  // namespace

EventCells EventHeaderCells() {
  EventCells cells;
  std::copy(kEventGridHeaders.begin(), kEventGridHeaders.end(), cells.begin());
  return cells;
}

std::vector<std::string> TextColumnLines(std::span<const std::vector<std::string>> rows) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], TextWidth(row[c]));
  }
  std::vector<std::string> lines;
  for (const auto& row : rows) lines.push_back(Line(row, widths));
  return lines;
}

std::vector<std::string> EventColumnLines(std::span<const EventCells> rows) {
  const EventCells header = EventHeaderCells();
  std::vector<std::vector<std::string>> cells{{header.begin(), header.end()}};
  for (const EventCells& row : rows) cells.emplace_back(row.begin(), row.end());
  return TextColumnLines(cells);
}

std::string EventColumnLine(const std::uint8_t* record) {
  const EventCells row = EventGridCells(record);
  return EventColumnLines({&row, 1}).back();
}

}  // namespace zm48d
