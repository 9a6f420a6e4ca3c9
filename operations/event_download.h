#pragma once
// The "Pilha" page: the waiting events read into the grid, and its two hidden
// test buttons (the events saved to a fixed file and the stack emptied; the
// default configuration).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "operations/operator_texts.h"
#include "operations/session.h"

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
// it is not called for an empty stack, which counts as a success. A header whose top lies below its start (a wrapped or damaged stack) is
// reported like a failed record read.
bool ReadEventStackButton(const Session& session, const Deliver<std::vector<std::uint8_t>>& deliver,
                          const EventReadTexts& texts = {});

// The download of the hidden Button40 (and `events --clear`): inside download
// mode, then the stack is emptied and the controller told. The records read are
// delivered with the outcome, also when emptying failed afterwards: they may be
// gone from the controller already. Shows nothing itself.
struct ClearingDownload {
  bool ok = false;
  std::vector<std::uint8_t> records;
};
bool DownloadAndClearEvents(const Session& session, std::string_view openFailure,
                            const Deliver<ClearingDownload>& deliver);

// Button40: the download above saved as EventLines (Windows-1252, CR LF) to
// `path`, replacing a file of that name, then "Operação concluída!!"; "Erro!!"
// when the download failed. No message when the port does not open.
bool SaveEventsButton(const Session& session, const std::string& path);

// Where Button40 saves: the fixed test file on Windows, in the home folder
// elsewhere (a root folder is seldom writable there).
std::string DefaultEventFilePath();

// Button41 (and `defaults`): relay times 1500 ms and reader timeouts 2 s, then
// the memory notice; "Operação concluída!!" or "Erro!!". The page shows nothing
// when the port does not open; `openFailure` is shown then.
inline constexpr std::array<std::uint32_t, 4> kDefaultRelayTimesMs = {1500, 1500, 1500, 1500};
inline constexpr std::array<std::uint8_t, 4> kDefaultReaderTimeouts = {2, 2, 2, 2};
bool WriteDefaultsButton(const Session& session, std::string_view openFailure = {});

}  // namespace zm48d::ops
