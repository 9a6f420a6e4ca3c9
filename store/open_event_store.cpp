#include <soci/postgresql/soci-postgresql.h>
#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#include "store/event_store.h"
#include "store/schema.h"
#include "store/soci_event_store.h"

namespace zm48d::store {

namespace {

bool IsPostgresUri(const std::string& url) {
  return url.starts_with("postgresql://") || url.starts_with("postgres://");
}

// SQLite creates the file but not the folder it goes into.
Result<bool> CreateFolderOf(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code error;
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  if (error) {
    return Result<bool>::Failure("cannot create the folder " + folder.string() + ": " +
                                 error.message());
  }
  return true;
}

std::unique_ptr<soci::session> OpenSqlite(const std::string& path) {
  // The timeout lets a second program wait for the first one's write.
  auto session =
      std::make_unique<soci::session>(*soci::factory_sqlite3(), "db=\"" + path + "\" timeout=10");
  *session << "PRAGMA foreign_keys = ON";
  return session;
}

std::unique_ptr<soci::session> OpenPostgres(const std::string& uri) {
  auto session = std::make_unique<soci::session>(*soci::factory_postgresql(), uri);
  // The server's notices ("relation ... already exists, skipping" when the
  // schema is checked) would reach the operator's error stream through libpq.
  *session << "SET client_min_messages = warning";
  return session;
}

}  // namespace

Result<std::unique_ptr<EventStore>> OpenEventStore(const std::string& url) {
  using Opened = Result<std::unique_ptr<EventStore>>;
  const SqlEngine engine = IsPostgresUri(url) ? SqlEngine::kPostgres : SqlEngine::kSqlite;
  if (engine == SqlEngine::kSqlite) {
    if (auto folder = CreateFolderOf(url); !folder.ok()) return Opened::Failure(folder.error());
  }
  try {
    auto session = engine == SqlEngine::kSqlite ? OpenSqlite(url) : OpenPostgres(url);
    MigrateSchema(*session, engine);
    return MakeSociEventStore(std::move(session), engine);
  } catch (const std::exception& error) {
    // A URI may carry a password: only a file's path is named.
    const std::string name = engine == SqlEngine::kSqlite ? url : "on PostgreSQL";
    return Opened::Failure("cannot open the event store " + name + ": " + error.what());
  }
}

}  // namespace zm48d::store
