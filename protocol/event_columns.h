#pragma once
// The event grid's cells as lines of text in aligned columns: how the command
// line prints the event stack, and how the emulator answers a swipe with the
// row its event will have there.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "protocol/event_record.h"

namespace zm48d {

using EventCells = std::array<std::string, kEventGridHeaders.size()>;

EventCells EventHeaderCells();

// Rows of cells as lines in aligned columns, the first row being the header:
// each column as wide as its widest cell, counted in characters ("Não" is
// three), with two blanks before the next column; the last column is not padded.
std::vector<std::string> TextColumnLines(std::span<const std::vector<std::string>> rows);

// The header line, then one line per row. Each column is as wide as its widest
// cell, header included, counted in characters ("Não" is three), with two
// blanks before the next column; the last column is not padded.
std::vector<std::string> EventColumnLines(std::span<const EventCells> rows);

// The line of one record as a table holding only it shows it.
std::string EventColumnLine(const std::uint8_t* record);

}  // namespace zm48d
