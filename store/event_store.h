#pragma once
// Where the events downloaded from the controllers are kept, each exactly once,
// before a controller's stack is emptied: a SQLite file on the PC, or a
// PostgreSQL database that several PCs share.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/memory_map.h"
#include "store/result.h"

namespace zm48d::store {

struct HarvestReceipt {
  std::int64_t harvest = 0;  // the harvest's row, for MarkEmptied
  int read = 0;              // whole records handed in
  int stored = 0;            // of them, new to the store
  int alreadyStored = 0;     // of them, kept by an earlier harvest
};

// Every field set narrows the choice; `from` and `to` are YYYY-MM-DD, both included.
struct HistoryFilter {
  std::optional<std::string> controller = {};
  std::optional<std::uint32_t> tag = {};  // the three tag bytes, 0x00A1B2
  std::optional<std::string> from = {}, to = {};
  std::optional<int> door = {};
  bool refusedOnly = false;
};

struct StoredEvent {
  std::string controller;
  std::array<std::uint8_t, EventRecordSize> raw;  // the record as the controller kept it
  std::string harvestedAt;                        // UTC, YYYY-MM-DDTHH:MM:SSZ
};

struct DaySummary {
  std::string date;  // YYYY-MM-DD
  int door;
  int granted;
  int refused;
};

class EventStore {
 public:
  virtual ~EventStore() = default;

  // Stores the whole records read from a controller's stack between `start` and
  // `top` (a partial record at the end is left out) in one committed
  // transaction, with a row in `harvests`. A stack that was read but whose
  // emptying was never confirmed is read again from the same start, so: when
  // the latest earlier harvest of this controller at this start is not marked
  // emptied and its records' bytes begin `records`, only the records after them
  // are stored (alreadyStored counts the others). A harvest marked emptied, or
  // bytes that differ, mean the stack holds new events: all are stored.
  virtual Result<HarvestReceipt> StoreHarvest(std::string_view controller, int start, int top,
                                              std::span<const std::uint8_t> records) = 0;

  // The controller acknowledged emptying its stack after `harvest`. True when
  // marked; a failure names a harvest the store does not hold.
  virtual Result<bool> MarkEmptied(std::int64_t harvest) = 0;

  // Oldest first: by the events' own date and time, then as they were stored.
  virtual Result<std::vector<StoredEvent>> Query(const HistoryFilter& filter) = 0;

  // Granted and refused events per day and door, by day then door.
  virtual Result<std::vector<DaySummary>> Summarize(const HistoryFilter& filter) = 0;
};

// `url`: a libpq connection URI (postgresql://... or postgres://...) opens
// PostgreSQL; anything else is a SQLite file path, its folder created when
// missing. Creates the schema or brings it up to date.
Result<std::unique_ptr<EventStore>> OpenEventStore(const std::string& url);

// $ZM48D_DB, else $XDG_DATA_HOME/zm48d/events.db, else
// ~/.local/share/zm48d/events.db (%LOCALAPPDATA%\zm48d\events.db on Windows).
std::string DefaultStoreLocation();

}  // namespace zm48d::store
