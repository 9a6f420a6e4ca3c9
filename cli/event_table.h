#pragma once
// Event records as `zm48d events` prints them: a table in aligned columns with
// the count of records under it, or CSV with its header row. `zm48d check`
// prints its decisions the same way.
#include <cstdint>
#include <ostream>
#include <span>

namespace zm48d::cli {

// `records` holds whole 10-byte event records, oldest first. No records: the
// "Pilha" page's text for an empty stack, or the CSV header alone.
void PrintEvents(std::ostream& out, std::span<const std::uint8_t> records, bool csv);

}  // namespace zm48d::cli
