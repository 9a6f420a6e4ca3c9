#pragma once
// The store's tables, created and brought up to date by the program itself.
#include "store/sql_engine.h"

namespace zm48d::store {

// The schema version this program writes and reads.
int CurrentSchemaVersion();

// Runs, in one transaction, the migrations the database has not had yet and
// records the version reached in `schema_version`. Throws a soci::soci_error
// (or std::runtime_error for a database newer than this program).
void MigrateSchema(soci::session& session, SqlEngine engine);

}  // namespace zm48d::store
