#pragma once
// The "Pilha" page: the waiting events read into the grid, and its hidden test
// button that saves the events to a fixed file and empties the stack (the other
// one, the default configuration, is in operations/default_configuration.h).
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "operations/operator_texts.h"
#include "operations/session.h"
#include "protocol/event_stack.h"

namespace zm48d::ops {

// The texts the event download shows where the page has one; the command line
// gives some of its own.
struct EventReadTexts {
  std::string_view headerFailed;  // the page says nothing when the header cannot be read
  std::string_view empty = text::kNoRecords;
};

// "Descarregar Registros": reads every waiting record without clearing the stack,
// without the download bracket and without the memory notice, so a second press
// shows the same records again. `deliver` gets the whole records, oldest first;
// it is not called for an empty stack, which counts as a success. A header whose
// top lies below its start (a wrapped or damaged stack) is reported like a failed
// record read.
bool ReadWaitingEventsInto(const Session& session,
                           const Deliver<std::vector<std::uint8_t>>& deliver,
                           const EventReadTexts& texts = {});

// Where the records of a clearing download are kept before the stack is
// emptied, or why they could not be.
struct Keeping {
  bool kept = false;
  std::string reason;  // why not, in the system's words ("No space left on device")
};
using KeepEvents = std::function<Keeping(std::span<const std::uint8_t> records)>;

// How the download of the hidden Button40 (and `events --clear`) ended.
enum class ClearingOutcome {
  kPortNotOpen,     // reported by the port cycle
  kCleared,         // kept, emptied (unless not asked for), the controller told, mode left
  kNothingWaiting,  // an empty stack: nothing kept, nothing emptied
  kNotRead,         // the header or the records could not be read: nothing emptied
  kNotKept,         // the records could not be kept: the stack left as it was
  kNotEntered,      // kept; the controller did not take download mode, so the stack was left
  kStopped,         // kept; a stop came first, so the stack was left
  kClearUncertain,  // kept; the emptying or the notice failed: the stack may or may not be empty
  kStackGrew,       // kept; new events came during the download, so the stack was left
  kNotLeft,         // kept and emptied; leaving download mode was not confirmed
};

struct ClearingDownload {
  ClearingOutcome outcome = ClearingOutcome::kPortNotOpen;
  std::string keepFailure;  // with kNotKept: why
  bool ok() const {
    return outcome == ClearingOutcome::kCleared || outcome == ClearingOutcome::kNothingWaiting;
  }
};

// How a download that keeps its records ended, from its steps; `clearAfter`
// says whether the stack was to be emptied.
ClearingOutcome OutcomeOfDownload(const StackDownload& download, bool clearAfter);

// Inside download mode: the waiting records are read and handed to `keep`;
// only when `keep` says they are safe (and the controller took download mode,
// and no stop was asked for) is the stack emptied and the controller told.
// Download mode is left on every way out. Reports failures with their texts
// (and `openFailure` for a port that does not open); a success shows nothing.
ClearingDownload DownloadAndClearEvents(const Session& session, std::string_view openFailure,
                                        const KeepEvents& keep);

// Button40: the download above saved as EventLines (Windows-1252, CR LF) to
// `path`, replacing a file of that name, before the stack is emptied; then
// "Operação concluída!!". No message when the port does not open.
bool SaveAndClearEvents(const Session& session, const std::string& path);

// Where Button40 saves: the fixed test file on Windows, in the home folder
// elsewhere (a root folder is seldom writable there).
std::string DefaultEventFilePath();

}  // namespace zm48d::ops
