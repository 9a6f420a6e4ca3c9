#pragma once
// The harvest: the controller's waiting events stored in the event store, and
// only then the stack emptied. One port cycle, inside download mode; what was
// committed but whose emptying was not confirmed is recognised by the next
// harvest and not stored twice.
#include <cstdint>
#include <string>
#include <string_view>

#include "operations/event_download.h"
#include "operations/session.h"
#include "store/event_store.h"

namespace zm48d::ops {

struct HarvestResult {
  ClearingOutcome outcome = ClearingOutcome::kPortNotOpen;
  int stored = 0;         // records new to the store
  int alreadyStored = 0;  // records an earlier harvest had stored
  bool ok() const {
    return outcome == ClearingOutcome::kCleared || outcome == ClearingOutcome::kNothingWaiting;
  }
};

// Harvests the controller on "COM n" into `store` under the name `controller`;
// with `keepOnController` the stack is neither emptied nor the controller told.
// Shows "N registros armazenados (NAME)" on success, the reason otherwise.
HarvestResult HarvestEvents(const Session& session, store::EventStore& store,
                            std::string_view controller, bool keepOnController);

// The text of a successful harvest: "N registros armazenados (NAME)".
std::string HarvestedText(int stored, std::string_view controller);

}  // namespace zm48d::ops
