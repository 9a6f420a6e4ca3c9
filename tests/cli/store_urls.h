#pragma once
// The two engines of the event store, for tests that run on both: a SQLite file
// in a scratch folder, or a fresh database on the test program's PostgreSQL.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/support/postgres_server.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {

enum class StoreEngine { kSqlite, kPostgresql };

inline std::string_view EngineName(StoreEngine engine) {
  return engine == StoreEngine::kSqlite ? "sqlite" : "postgresql";
}

// A new, empty store's --db value; empty (the test failed) when the server could not give one.
inline std::string FreshStoreUrl(StoreEngine engine, const TempDir& dir) {
  if (engine == StoreEngine::kSqlite) return dir.Path("events.db");
  PostgresServer& server = PostgresServer::Shared();
  std::string url = server.Failure().empty() ? server.CreateDatabase() : "";
  if (url.empty()) ADD_FAILURE() << "PostgreSQL: " << server.Failure();
  return url;
}

// A PostgreSQL URI whose socket folder holds no server.
inline std::string UnreachablePostgresUrl() {
  return "postgresql://postgres@/zm48d?host=/nonexistent-zm48d-socket-folder";
}

}  // namespace zm48d::testing
