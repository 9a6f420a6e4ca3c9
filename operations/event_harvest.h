#pragma once
// The harvest: the controller's waiting events stored in the event store, and
// only then the stack emptied. One port cycle, inside download mode; what was
// committed but whose emptying was not confirmed is recognised by the next
// harvest and not stored twice.
#include <cstdint>
#include <string>
#include <string_view>

#include "operations/session.h"
#include "store/event_store.h"

namespace zm48d::ops {

enum class HarvestOutcome {
  kPortNotOpen,     // reported by the port cycle
  kHarvested,       // stored, then emptied (or kept, when asked) and download mode left
  kNotRead,         // the header or the records could not be read: nothing stored or emptied
  kNotStored,       // the store refused them: the stack left as it was
  kNotEntered,      // stored; the controller did not take download mode, so the stack was left
  kStopped,         // stored; a stop came first, so the stack was left
  kClearUncertain,  // stored; the emptying or the notice failed
  kStackGrew,       // stored; new events came during the harvest, so the stack was left
  kNotLeft,         // stored and emptied; leaving download mode was not confirmed
};

struct HarvestResult {
  HarvestOutcome outcome = HarvestOutcome::kPortNotOpen;
  int stored = 0;         // records new to the store
  int alreadyStored = 0;  // records an earlier harvest had stored
  bool ok() const { return outcome == HarvestOutcome::kHarvested; }
};

// Harvests the controller on "COM n" into `store` under the name `controller`;
// with `keepOnController` the stack is neither emptied nor the controller told.
// Shows "N registros armazenados (NAME)" on success, the reason otherwise.
HarvestResult HarvestEvents(const Session& session, store::EventStore& store,
                            std::string_view controller, bool keepOnController);

// The text of a successful harvest: "N registros armazenados (NAME)".
std::string HarvestedText(int stored, std::string_view controller);

}  // namespace zm48d::ops
