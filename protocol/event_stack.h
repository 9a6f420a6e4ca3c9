#pragma once
// The controller's event stack: the records between the start and the top held
// in the stack header at EEPROM address 0, oldest first.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "protocol/event_record.h"
#include "protocol/link_state.h"

namespace zm48d {

// The pause a controller needs between the header read and the record read.
inline constexpr int kStackReadPauseMs = 50;

// Reads the stack header (16 bytes at EEPROM address 0).
bool ReadStackHeader(LinkState& link, StackHeader& header, LinkStatus& status);

// Command 'B': 'E' when entering download mode, 'S' when leaving it.
bool SetDownloadMode(LinkState& link, bool entering);

// Empties the stack: the header is rewritten with top = start.
bool ClearEventStack(LinkState& link);

// How an emptying after a download ended.
enum class ClearOutcome {
  kCleared,    // the header with top = start was acknowledged
  kFailed,     // a frame failed: the stack may or may not be empty
  kStackGrew,  // the top had moved past the records downloaded: nothing written
};
// Empties the stack as ClearEventStack does, but only while its top is still
// `downloadedTop`: a record the controller added after the download would
// otherwise go with the others, never having been read.
ClearOutcome ClearDownloadedStack(LinkState& link, int downloadedTop);

// How a read of the waiting records ended.
enum class StackReadOutcome {
  kRead,           // records hold every whole waiting record, oldest first
  kEmpty,          // top = start: nothing waiting
  kHeaderFailed,   // the stack header could not be read
  kDamaged,        // top below start: a wrapped or damaged header, not read
  kRecordsFailed,  // the records could not be read
};

// Reads the header, then, after the controller's pause, every waiting record in
// one read; bytes after the last whole record are dropped. `pointers` receives
// the header's start and top once the header was read. Runs with a status of
// its own.
StackReadOutcome ReadWaitingRecords(LinkState& link, std::vector<std::uint8_t>& records,
                                    StackPointers& pointers);
inline StackReadOutcome ReadWaitingRecords(LinkState& link, std::vector<std::uint8_t>& records) {
  StackPointers pointers{};
  return ReadWaitingRecords(link, records, pointers);
}

// Puts the records just read (from the stack between `pointers`) somewhere
// safe before the stack is emptied; true only when every one of them got there.
using KeepRecords =
    std::function<bool(const StackPointers& pointers, std::span<const std::uint8_t> records)>;

struct DownloadPlan {
  bool clearAfter = false;  // empty the stack once the records are kept
  bool bracket = false;     // run inside download mode ('B' 'E' ... 'B' 'S')
  KeepRecords keep;         // empty: the records count as kept once read
  // Without emptying, whether the controller is still told its stack was read.
  bool notifyAfterRead = true;
};

// How each step of a download ended, for the caller to report.
struct StackDownload {
  bool entered = false;  // 'B' 'E' was answered with a sound frame
  StackReadOutcome read = StackReadOutcome::kHeaderFailed;
  bool kept = false;        // the records were read and kept
  bool clearTried = false;  // the emptying began: from here the stack may be empty
  bool cleared = false;     // the emptied header was acknowledged
  bool grew = false;        // new records had come since the read: the stack was left
  bool notified = false;    // 'I' acknowledged
  bool left = true;         // 'B' 'S' answered (true when there was no bracket)
};

// The download on raw records. The stack is emptied only when it was asked
// for, the records were kept, no stop was asked for and, with the bracket, the
// controller took download mode: otherwise it may still be adding records
// under the ones just read. Without emptying, the controller is still told its
// stack was read. Download mode is left whenever it was asked for, also when
// its entry went unanswered (the answer may be what was lost). Runs its
// transactions with a status of its own.
StackDownload DownloadEventRecords(LinkState& link, const DownloadPlan& plan,
                                   std::vector<std::uint8_t>& records);

// Whether a download ran to its end: read, and with `clearAfter` emptied, the
// controller told, and download mode left when it had been entered.
bool DownloadSucceeded(const StackDownload& download, const DownloadPlan& plan);

// Reads every waiting record into `lines` (one EventLine each, oldest first).
// With `clearAfter` the stack is emptied and the controller notified after a
// download that found records; with `bracket` the download runs inside download
// mode. A header whose top lies below its start is a failed read. Runs its
// transactions with a status of its own.
bool DownloadEvents(LinkState& link, bool clearAfter, bool bracket,
                    std::vector<std::string>& lines);

}  // namespace zm48d
