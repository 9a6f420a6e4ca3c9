#pragma once
// The controller's event stack: the records between the start and the top held
// in the stack header at EEPROM address 0, oldest first.
#include <string>
#include <vector>

#include "protocol/event_record.h"
#include "protocol/link_state.h"

namespace zm48d {

// The pause a controller needs between the header read and the record read.
inline constexpr int kStackReadPauseMs = 50;

// Reads the stack header (16 bytes at EEPROM address 0).
bool ReadStackHeader(LinkState& link, StackHeader& header,
                     LinkStatus& status);

// Command 'B': 'E' when entering download mode, 'S' when leaving it.
bool SetDownloadMode(LinkState& link, bool entering);

// Empties the stack: the header is rewritten with top = start.
bool ClearEventStack(LinkState& link);

// How a read of the waiting records ended.
enum class StackReadOutcome {
  kRead,           // records hold every whole waiting record, oldest first
  kEmpty,          // top = start: nothing waiting
  kHeaderFailed,   // the stack header could not be read
  kDamaged,        // top below start: a wrapped or damaged header, not read
  kRecordsFailed,  // the records could not be read
};

// Reads the header, then, after the controller's pause, every waiting record in
// one read; bytes after the last whole record are dropped. Runs with a status of
// its own.
StackReadOutcome ReadWaitingRecords(LinkState& link, std::vector<std::uint8_t>& records);

// The download on raw records: as DownloadEvents, which turns them into lines.
bool DownloadEventRecords(LinkState& link, bool clearAfter, bool bracket,
                          std::vector<std::uint8_t>& records);

// Reads every waiting record into `lines` (one EventLine each, oldest first).
// With `clearAfter` the stack is emptied and the controller notified after a
// download that found records; with `bracket` the download runs inside download
// mode. A header whose top lies below its start is a failed read. Runs its
// transactions with a status of its own.
bool DownloadEvents(LinkState& link, bool clearAfter, bool bracket, std::vector<std::string>& lines);

}  // namespace zm48d
