#include "store/soci_event_store.h"

#include <soci/soci.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "protocol/event_record.h"
#include "protocol/hex_text.h"
#include "store/event_row.h"
#include "store/history_sql.h"
#include "store/utc_time.h"

namespace zm48d::store {

namespace {

// Harvests of one controller take this lock space, keyed by the controller, so
// harvests of different controllers never wait for each other.
constexpr int kControllerLock = 2;

// Runs `work`, turning whatever the database throws into a failed result.
template <class Work>
auto Guarded(const char* what, Work work) -> decltype(work()) {
  try {
    return work();
  } catch (const std::exception& error) {
    return decltype(work())::Failure(std::string(what) + ": " + error.what());
  }
}

// Binds the filter's values to `prepared`; they must outlive its statement.
void BindFilter(soci::details::prepare_temp_type& prepared, FilterClause& clause) {
  for (auto& [name, value] : clause.values) prepared, soci::use(value, name);
}

class SociEventStore : public EventStore {
 public:
  SociEventStore(std::unique_ptr<soci::session> session, SqlEngine engine)
      : session_(std::move(session)), engine_(engine) {}

  Result<HarvestReceipt> StoreHarvest(std::string_view controller, int start, int top,
                                      std::span<const std::uint8_t> records) override {
    return Guarded("storing the harvest", [&] {
      return Harvest(
          std::string(controller), start, top,
          records.first(WaitingRecords(static_cast<int>(records.size())) * EventRecordSize));
    });
  }

  Result<bool> MarkEmptied(std::int64_t harvest) override {
    return Guarded("marking the harvest emptied", [&]() -> Result<bool> {
      const long long id = harvest;
      soci::statement update =
          (session_->prepare << "UPDATE harvests SET emptied = 1 WHERE id = :id", soci::use(id));
      update.execute(true);
      if (update.get_affected_rows() == 0) {
        return Result<bool>::Failure("the store holds no harvest " + std::to_string(harvest));
      }
      return true;
    });
  }

  Result<std::vector<StoredEvent>> Query(const HistoryFilter& filter) override {
    return Guarded("reading the history", [&]() -> Result<std::vector<StoredEvent>> {
      FilterClause clause = MakeFilterClause(filter);
      std::string controller, raw, harvestedAt;
      soci::details::prepare_temp_type prepared =
          (session_->prepare << "SELECT controller, raw, harvested_at FROM events" + clause.where +
                                    " ORDER BY event_date, event_time, id",
           soci::into(controller), soci::into(raw), soci::into(harvestedAt));
      BindFilter(prepared, clause);
      soci::statement select(prepared);
      select.execute();
      std::vector<StoredEvent> events;
      while (select.fetch()) events.push_back(MakeStoredEvent(controller, raw, harvestedAt));
      return events;
    });
  }

  Result<std::vector<DaySummary>> Summarize(const HistoryFilter& filter) override {
    return Guarded("summing up the history", [&]() -> Result<std::vector<DaySummary>> {
      FilterClause clause = MakeFilterClause(filter);
      std::string date;
      int door = 0;
      long long granted = 0, all = 0;
      soci::details::prepare_temp_type prepared =
          (session_->prepare << "SELECT event_date, door, SUM(granted), COUNT(*) FROM events" +
                                    clause.where +
                                    " GROUP BY event_date, door ORDER BY event_date, door",
           soci::into(date), soci::into(door), soci::into(granted), soci::into(all));
      BindFilter(prepared, clause);
      soci::statement select(prepared);
      select.execute();
      std::vector<DaySummary> days;
      while (select.fetch()) {
        days.push_back({date, door, static_cast<int>(granted), static_cast<int>(all - granted)});
      }
      return days;
    });
  }

 private:
  static StoredEvent MakeStoredEvent(const std::string& controller, const std::string& raw,
                                     const std::string& harvestedAt) {
    StoredEvent event{controller, {}, harvestedAt};
    const auto* text = reinterpret_cast<const std::uint8_t*>(raw.data());
    if (!DecodeUpperHexPairs({text, raw.size()}, event.raw)) {
      throw std::runtime_error("a stored event's bytes are not hexadecimal: " + raw);
    }
    return event;
  }

  Result<HarvestReceipt> Harvest(const std::string& controller, int start, int top,
                                 std::span<const std::uint8_t> records) {
    const std::string raw = HexText(records);
    const std::string harvestedAt = UtcText(std::chrono::system_clock::now());
    WriteTransaction transaction(*session_, engine_);
    transaction.Lock(kControllerLock, controller);
    HarvestReceipt receipt;
    receipt.read = static_cast<int>(records.size()) / EventRecordSize;
    receipt.alreadyStored = AlreadyStored(controller, start, raw);
    receipt.stored = receipt.read - receipt.alreadyStored;
    long long id = 0;
    *session_ << "INSERT INTO harvests (controller, stack_start, stack_top, record_count,"
                 " stored_count, harvested_at, emptied, raw) VALUES (:controller, :start, :top,"
                 " :read, :stored, :at, 0, :raw) RETURNING id",
        soci::use(controller), soci::use(start), soci::use(top), soci::use(receipt.read),
        soci::use(receipt.stored), soci::use(harvestedAt), soci::use(raw), soci::into(id);
    receipt.harvest = id;
    InsertEvents(
        id, controller, harvestedAt,
        records.subspan(static_cast<std::size_t>(receipt.alreadyStored) * EventRecordSize));
    transaction.Commit();
    return receipt;
  }

  // Records at the front of `raw` that the latest earlier harvest at `start`
  // kept while the stack was not emptied after it.
  int AlreadyStored(const std::string& controller, int start, const std::string& raw) {
    int emptied = 0;
    std::string earlier;
    soci::indicator found = soci::i_null;
    *session_ << "SELECT emptied, raw FROM harvests WHERE controller = :controller AND"
                 " stack_start = :start ORDER BY id DESC LIMIT 1",
        soci::use(controller), soci::use(start), soci::into(emptied), soci::into(earlier, found);
    if (found != soci::i_ok || emptied != 0 || !raw.starts_with(earlier)) return 0;
    return static_cast<int>(earlier.size()) / (2 * EventRecordSize);
  }

  void InsertEvents(long long harvest, const std::string& controller,
                    const std::string& harvestedAt, std::span<const std::uint8_t> records) {
    EventRow row;
    soci::statement insert =
        (session_->prepare << "INSERT INTO events (harvest, controller, raw, tag, event_date,"
                              " event_time, door, granted, holiday, reason, harvested_at) VALUES"
                              " (:harvest, :controller, :raw, :tag, :date, :time, :door,"
                              " :granted, :holiday, :reason, :at)",
         soci::use(harvest), soci::use(controller), soci::use(row.raw), soci::use(row.tag),
         soci::use(row.date), soci::use(row.time), soci::use(row.door), soci::use(row.granted),
         soci::use(row.holiday), soci::use(row.reason), soci::use(harvestedAt));
    for (std::size_t at = 0; at < records.size(); at += EventRecordSize) {
      row = MakeEventRow(records.data() + at);
      insert.execute(true);
    }
  }

  std::unique_ptr<soci::session> session_;
  SqlEngine engine_;
};

}  // namespace

std::unique_ptr<EventStore> MakeSociEventStore(std::unique_ptr<soci::session> session,
                                               SqlEngine engine) {
  return std::make_unique<SociEventStore>(std::move(session), engine);
}

}  // namespace zm48d::store
