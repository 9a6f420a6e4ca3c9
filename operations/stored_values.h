#pragma once
// What the controller keeps of typed relay times and reader timeouts. Its fields
// are narrower than what an operator can type: a value is cut to fit and written
// all the same, so whoever wrote it is told what was stored.
#include <array>
#include <string>

namespace zm48d::ops {

struct StoredValue {
  int typed;
  int stored;
  bool Cut() const { return typed != stored; }
};
using StoredValues = std::array<StoredValue, 4>;  // relays or readers 1..4

// Relay times in ms: one byte of 250 ms units. A negative number is passed on as
// the large unsigned one the edit's integer becomes.
StoredValues StoredRelayTimes(const std::array<int, 4>& milliseconds);
// Reader timeouts in s: the low six bits.
StoredValues StoredReaderTimeouts(const std::array<int, 4>& seconds);

bool AnyCut(const StoredValues& values);

// The window's line for the cut values, empty when none was cut:
// "Relé 2: 1100 gravado como 1000 (múltiplos de 250, 0..63750)".
std::string RelayTimesCutNote(const StoredValues& values);
// "Leitor 1: 99 gravado como 35 (0..63); Leitor 3: 64 gravado como 0 (0..63)".
std::string ReaderTimeoutsCutNote(const StoredValues& values);

}  // namespace zm48d::ops
