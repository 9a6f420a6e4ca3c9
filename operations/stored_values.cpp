#include "operations/stored_values.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "operations/device_operations.h"
#include "operations/operator_texts.h"
#include "protocol/config_block.h"
#include "protocol/memory_map.h"

namespace zm48d::ops {

namespace {

template <class Keep>
StoredValues Stored(const std::array<int, 4>& typed, Keep keep) {
  StoredValues values{};
  for (std::size_t i = 0; i < typed.size(); ++i) values[i] = {typed[i], keep(typed[i])};
  return values;
}

// "<name> <n>: <typed> gravado como <stored> (<range>)" for each cut value.
std::string CutNote(const StoredValues& values, std::string_view name, std::string_view range) {
  std::string note;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!values[i].Cut()) continue;
    if (!note.empty()) note += "; ";
    note += std::string(name) + std::to_string(i + 1) + ": " + std::to_string(values[i].typed) +
            std::string(text::kStoredAs) + std::to_string(values[i].stored) + " (" +
            std::string(range) + ")";
  }
  return note;
}

}  // namespace

StoredValues StoredRelayTimes(const std::array<int, 4>& milliseconds) {
  return Stored(milliseconds, [](int typed) {
    return RelayTimeUnits(static_cast<std::uint32_t>(typed)) * kRelayTimeUnitMs;
  });
}

StoredValues StoredReaderTimeouts(const std::array<int, 4>& seconds) {
  return Stored(seconds, [](int typed) { return static_cast<int>(StoredReaderTimeout(typed)); });
}

bool AnyCut(const StoredValues& values) {
  for (const StoredValue& value : values) {
    if (value.Cut()) return true;
  }
  return false;
}

std::string RelayTimesCutNote(const StoredValues& values) {
  return CutNote(values, text::kRelayName, text::kRelayTimeRange);
}

std::string ReaderTimeoutsCutNote(const StoredValues& values) {
  return CutNote(values, text::kReaderName, text::kReaderTimeoutRange);
}

}  // namespace zm48d::ops
