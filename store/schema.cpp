#include "store/schema.h"

#include <soci/soci.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace zm48d::store {

namespace {

// The lock space of schema changes; harvests lock per controller in another.
constexpr int kSchemaLock = 1;

// Migration n (from 1) takes a database from version n-1 to n. The id columns
// are the only difference between the engines.
std::vector<std::vector<std::string>> Migrations(SqlEngine engine) {
  const std::string id =
      engine == SqlEngine::kSqlite ? "id INTEGER PRIMARY KEY" : "id BIGSERIAL PRIMARY KEY";
  const std::string reference = engine == SqlEngine::kSqlite ? "INTEGER" : "BIGINT";
  return {{
      "CREATE TABLE harvests (" + id +
          ", controller TEXT NOT NULL, stack_start INTEGER NOT NULL,"
          " stack_top INTEGER NOT NULL, record_count INTEGER NOT NULL,"
          " stored_count INTEGER NOT NULL, harvested_at TEXT NOT NULL,"
          " emptied INTEGER NOT NULL DEFAULT 0, raw TEXT NOT NULL)",
      // The exactly-once lookup: a controller's latest harvest at a stack start.
      "CREATE INDEX harvests_controller_start ON harvests (controller, stack_start, id)",
      "CREATE TABLE events (" + id + ", harvest " + reference +
          " NOT NULL REFERENCES harvests (id), controller TEXT NOT NULL, raw TEXT NOT NULL,"
          " tag TEXT NOT NULL, event_date TEXT NOT NULL, event_time TEXT NOT NULL,"
          " door INTEGER NOT NULL, granted INTEGER NOT NULL, holiday INTEGER NOT NULL,"
          " reason INTEGER NOT NULL, harvested_at TEXT NOT NULL)",
      "CREATE INDEX events_tag_date ON events (tag, event_date)",
      "CREATE INDEX events_controller_date ON events (controller, event_date)",
      "CREATE INDEX events_date ON events (event_date)",
  }};
}

int StoredVersion(soci::session& session) {
  long long rows = 0;
  session << "SELECT COUNT(*) FROM schema_version", soci::into(rows);
  if (rows == 0) {
    session << "INSERT INTO schema_version (version) VALUES (0)";
    return 0;
  }
  int version = 0;
  session << "SELECT MAX(version) FROM schema_version", soci::into(version);
  return version;
}

}  // namespace

int CurrentSchemaVersion() { return static_cast<int>(Migrations(SqlEngine::kSqlite).size()); }

void MigrateSchema(soci::session& session, SqlEngine engine) {
  WriteTransaction transaction(session, engine);
  // Two programs opening a new database at once would both create its tables.
  transaction.Lock(kSchemaLock, "schema");
  session << "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)";
  const auto migrations = Migrations(engine);
  const int stored = StoredVersion(session);
  if (stored > static_cast<int>(migrations.size())) {
    throw std::runtime_error("the event store has schema version " + std::to_string(stored) +
                             ", newer than this program's " + std::to_string(migrations.size()));
  }
  for (int version = stored + 1; version <= static_cast<int>(migrations.size()); ++version) {
    for (const std::string& statement : migrations[version - 1]) session << statement;
    session << "UPDATE schema_version SET version = :version", soci::use(version);
  }
  transaction.Commit();
}

}  // namespace zm48d::store
